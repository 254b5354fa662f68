#pragma once

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace hostfw {

// What units publish by name (their variables, their report options): each unit's entries,
// published again to replace them, withdrawn before the unit's package unloads.
template <class Entry>
class UnitRegistry {
public:
    void Publish(const std::string& unit, std::vector<Entry> entries) {
        Withdraw(unit);
        units_.push_back({unit, std::move(entries)});
    }

    void Withdraw(const std::string& unit) {
        std::erase_if(units_, [&](const Unit& published) { return published.name == unit; });
    }

    // The first entry, in the first unit that has one, for which `matches` holds.
    template <class Matches>
    const Entry* Find(Matches&& matches) const {
        for (const Unit& unit : units_) {
            auto found = std::find_if(unit.entries.begin(), unit.entries.end(), matches);
            if (found != unit.entries.end())
                return &*found;
        }
        return nullptr;
    }

private:
    struct Unit {
        std::string name;
        std::vector<Entry> entries;
    };
    std::vector<Unit> units_;
};

}  // namespace hostfw
