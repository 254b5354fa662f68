#include "host/components/published_report_options.h"

#include "host/components/unit_registry.h"

namespace hostfw {
namespace {

// Never destroyed, as the published variables: a unit withdraws from its unload hook.
UnitRegistry<ReportOption>& Units() {
    static auto* units = new UnitRegistry<ReportOption>;
    return *units;
}

}  // namespace

void PublishReportOptions(const std::string& unit, std::vector<ReportOption> options) {
    Units().Publish(unit, std::move(options));
}

void WithdrawReportOptions(const std::string& unit) {
    Units().Withdraw(unit);
}

const ReportOption* FindReportOption(std::string_view option) {
    return Units().Find([&](const ReportOption& entry) { return entry.option == option; });
}

}  // namespace hostfw
