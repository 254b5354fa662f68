#pragma once

#include <functional>
#include <utility>

namespace hostfw {

// The one observer of a kind of record that the host installs and the framework tells. Each
// kind has its own slot; an empty observer hears nothing. Instantiated only inside the
// framework's library, whose exported functions are the way in from elsewhere.
template <class Record>
class ObserverSlot {
public:
    using Observer = std::function<void(const Record&)>;

    static void Install(Observer observer) { Installed() = std::move(observer); }
    static void Notify(const Record& record) {
        if (Installed())
            Installed()(record);
    }

private:
    static Observer& Installed() {
        static Observer observer;
        return observer;
    }
};

}  // namespace hostfw
