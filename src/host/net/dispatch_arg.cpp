#include "host/net/dispatch_arg.h"

namespace hostfw {

Variant DispatchArg::Value() const {
    if (const auto* text = std::get_if<std::string*>(&target_))
        return Variant(**text);
    if (const auto* variable = std::get_if<Variant*>(&target_))
        return **variable;
    return std::get<Variant>(target_);
}

void DispatchArg::Receive(const Variant& value) const {
    if (const auto* text = std::get_if<std::string*>(&target_)) {
        **text = value.AsString();
    } else if (const auto* variable = std::get_if<Variant*>(&target_)) {
        **variable = value;
    }
}

}  // namespace hostfw
