#include "host/report/run_monitor.h"

namespace hostfw {
namespace {

// Often enough for a window to answer within a blink, rarely enough to cost nothing.
constexpr long long kRowsBetweenReports = 256;

}  // namespace

ReportCancelled::~ReportCancelled() = default;

void RunMonitor::RowRead() {
    if (++rows_ % kRowsBetweenReports == 0)
        Report();
}

void RunMonitor::PageDrawn() {
    Report();
}

void RunMonitor::Report() {
    if (!request_.progress || request_.progress(rows_))
        return;
    throw ReportCancelled();
}

}  // namespace hostfw
