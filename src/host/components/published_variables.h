#pragma once

#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

// A unit's variables published by name, as components publish their properties: whoever reads
// one (a UI script's expectation) finds it by name, without knowing how the unit declares it
// or how its package was linked. A unit publishes when its package loads and withdraws before
// it unloads, since the addresses die with it.
struct PublishedVariable {
    std::string name;
    std::variant<const std::string*, const bool*> address;
};

// Publishes (or publishes again, replacing) the variables of `unit`.
HOSTFW_EXPORT void PublishUnitVariables(const std::string& unit,
                                        std::vector<PublishedVariable> variables);
HOSTFW_EXPORT void WithdrawUnitVariables(const std::string& unit);
// The variable of that exact name in the first unit that publishes it; nullptr when none does.
HOSTFW_EXPORT const PublishedVariable* FindPublishedVariable(std::string_view name);

}  // namespace hostfw
