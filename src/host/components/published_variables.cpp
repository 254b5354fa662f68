#include "host/components/published_variables.h"

#include <algorithm>
#include <utility>

namespace hostfw {
namespace {

struct PublishedUnit {
    std::string name;
    std::vector<PublishedVariable> variables;
};

// Never destroyed: a package still loaded at exit withdraws its unit from its own unload hook,
// which runs after the exit handlers that would destroy a static.
std::vector<PublishedUnit>& Units() {
    static auto* units = new std::vector<PublishedUnit>;
    return *units;
}

}  // namespace

void PublishUnitVariables(const std::string& unit, std::vector<PublishedVariable> variables) {
    WithdrawUnitVariables(unit);
    Units().push_back({unit, std::move(variables)});
}

void WithdrawUnitVariables(const std::string& unit) {
    std::erase_if(Units(), [&](const PublishedUnit& published) { return published.name == unit; });
}

const PublishedVariable* FindPublishedVariable(std::string_view name) {
    for (const PublishedUnit& unit : Units()) {
        auto found =
            std::find_if(unit.variables.begin(), unit.variables.end(),
                         [&](const PublishedVariable& variable) { return variable.name == name; });
        if (found != unit.variables.end())
            return &*found;
    }
    return nullptr;
}

}  // namespace hostfw
