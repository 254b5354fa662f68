#include "host/components/published_variables.h"

#include <utility>

#include "host/components/unit_registry.h"

namespace hostfw {
namespace {

// Never destroyed: a package still loaded at exit withdraws its unit from its own unload hook,
// which runs after the exit handlers that would destroy a static.
UnitRegistry<PublishedVariable>& Units() {
    static auto* units = new UnitRegistry<PublishedVariable>;
    return *units;
}

}  // namespace

void PublishUnitVariables(const std::string& unit, std::vector<PublishedVariable> variables) {
    Units().Publish(unit, std::move(variables));
}

void WithdrawUnitVariables(const std::string& unit) {
    Units().Withdraw(unit);
}

const PublishedVariable* FindPublishedVariable(std::string_view name) {
    return Units().Find([&](const PublishedVariable& variable) { return variable.name == name; });
}

}  // namespace hostfw
