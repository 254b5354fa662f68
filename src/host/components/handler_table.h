#pragma once

#include <map>
#include <string>
#include <type_traits>
#include <utility>

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
    // A method of `form` as the handler `name`: its parameters must be exactly those of one of
    // the toolkit's events, which is then the handler's kind.
    template <class Form, class Class, class... Args>
    void RegisterMethod(const std::string& name, Form& form, void (Class::*method)(Args...)) {
        static_assert(std::is_base_of_v<Class, Form>);
        Register(name, EventHandler(std::in_place_type<std::function<void(Args...)>>,
                                    [&form, method](Args... args) {
                                        (form.*method)(std::forward<Args>(args)...);
                                    }));
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
