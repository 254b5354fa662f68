#include "host/report/run_monitor.h"

namespace hostfw {
namespace {

// Often enough for a window to answer within a blink, rarely enough to cost nothing.
constexpr long long kRowsBetweenReports = 256;

}  // namespace

ReportCancelled::~ReportCancelled() = default;

void RunMonitor::RowRead(int pagesLaidOut) {
    step_.pagesLaidOut = pagesLaidOut;
    if (++step_.rowsRead % kRowsBetweenReports == 0)
        Report();
}

void RunMonitor::PageDrawn(int number, int count) {
    step_.pagesDrawn = number;
    step_.pageCount = count;
    step_.pagesLaidOut = count;
    Report();
}

void RunMonitor::Report() {
    if (!request_.progress || request_.progress(step_))
        return;
    throw ReportCancelled();
}

}  // namespace hostfw
