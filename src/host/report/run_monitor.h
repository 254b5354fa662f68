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
    // `rowsRead`: the rows an earlier part of the same run read already.
    explicit RunMonitor(const ReportRequest& request, long long rowsRead = 0) : request_(request) {
        step_.rowsRead = rowsRead;
    }
    // A row read; `pagesLaidOut` counts the pages it filled so far, where there are pages.
    void RowRead(int pagesLaidOut = 0);
    // Pages drawn after the last row keep the window that shows the run alive, and say how
    // many are left.
    void PageDrawn(int number, int count);

private:
    void Report();

    const ReportRequest& request_;
    RunStep step_;
};

}  // namespace hostfw
