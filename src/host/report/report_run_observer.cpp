#include "host/report/report_run_observer.h"

namespace hostfw {
namespace {

ReportRunObserver& Installed() {
    static ReportRunObserver observer;
    return observer;
}

}  // namespace

void SetReportRunObserver(ReportRunObserver observer) {
    Installed() = std::move(observer);
}

void NotifyReportRun(const ReportRunRecord& run) {
    if (Installed())
        Installed()(run);
}

}  // namespace hostfw
