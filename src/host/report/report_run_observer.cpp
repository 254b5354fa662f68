#include "host/report/report_run_observer.h"

#include "host/core/observer_slot.h"

namespace hostfw {

void SetReportRunObserver(ReportRunObserver observer) {
    ObserverSlot<ReportRunRecord>::Install(std::move(observer));
}

void NotifyReportRun(const ReportRunRecord& run) {
    ObserverSlot<ReportRunRecord>::Notify(run);
}

}  // namespace hostfw
