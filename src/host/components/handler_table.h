#pragma once

#include <map>
#include <string>

#include "host/components/events.h"
#include "hostfw_export.h"

namespace hostfw {

// A form's handlers by method name. The base form registers its own; a descendant
// registers its handlers afterwards and replaces those of the same name, so the stored
// bindings of the base form resolve to the descendant's methods, as published methods
// resolve by name against the actual class.
class HOSTFW_EXPORT HandlerTable {
public:
    void Register(const std::string& name, EventHandler handler) {
        handlers_[name] = std::move(handler);
    }
    // nullptr when no handler of that name exists.
    const EventHandler* Find(const std::string& name) const {
        auto it = handlers_.find(name);
        return it == handlers_.end() ? nullptr : &it->second;
    }

private:
    std::map<std::string, EventHandler> handlers_;
};

}  // namespace hostfw
