#pragma once

#include <string>
#include <variant>

#include "host/core/variant.h"
#include "hostfw_export.h"

namespace hostfw {

// One argument of a late-bound call. A by-reference argument is bound to the caller's
// variable: the call sends its value and, when the server replies, leaves in it what the
// server left in the argument. The variable must outlive the call.
class HOSTFW_EXPORT DispatchArg {
public:
    static DispatchArg ByValue(Variant value) { return DispatchArg(Target(std::move(value))); }
    static DispatchArg ByRef(std::string& variable) { return DispatchArg(Target(&variable)); }
    static DispatchArg ByRef(Variant& variable) { return DispatchArg(Target(&variable)); }

    bool IsByRef() const { return !std::holds_alternative<Variant>(target_); }
    // What the call sends.
    Variant Value() const;
    // Stores the server's value into the bound variable; a string variable takes the value's
    // text, as an automation string reference would. Does nothing for a by-value argument.
    void Receive(const Variant& value) const;

private:
    using Target = std::variant<Variant, std::string*, Variant*>;
    explicit DispatchArg(Target target) : target_(std::move(target)) {}

    Target target_;
};

}  // namespace hostfw
