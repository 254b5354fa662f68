#pragma once

#include <functional>
#include <utility>

namespace hostfw {

// The one observer of a kind of record that a program installs in its context and the
// framework tells. An empty observer hears nothing.
template <class Record>
class ObserverSlot {
public:
    using Observer = std::function<void(const Record&)>;

    void Install(Observer observer) { observer_ = std::move(observer); }
    void Notify(const Record& record) const {
        if (observer_)
            observer_(record);
    }

private:
    Observer observer_;
};

}  // namespace hostfw
