#pragma once

#include "host/core/exception.h"
#include "host/report/report_request.h"
#include "hostfw_export.h"

namespace hostfw {

// A report run the user stopped: the silent abort, so the event loop shows nothing more than
// the notice the run already gave.
class HOSTFW_EXPORT ReportCancelled : public EAbort {
public:
    ~ReportCancelled() override;
};

// Tells the request's progress handler how far a run got, every few rows, and stops the run
// when the handler says so by raising ReportCancelled; whoever holds the rows then stops their
// statement in the database (AbandonRows).
class RunMonitor {
public:
    explicit RunMonitor(const ReportRequest& request) : request_(request) {}
    void RowRead();
    // Pages drawn after the last row keep the window that shows the run alive.
    void PageDrawn();

private:
    void Report();

    const ReportRequest& request_;
    long long rows_ = 0;
};

}  // namespace hostfw
