#pragma once

#include <string>

#include "host/ui/run_step.h"
#include "hostfw_export.h"

namespace hostfw {

// A long report run, reported every few rows: a window shows how far it got after half a
// second and offers to cancel it. Without a screen nothing shows and nothing stops the run.
class HOSTFW_EXPORT ReportProgress {
public:
    virtual ~ReportProgress();

    virtual void RunStarted(const std::string& /*title*/) {}
    // False asks the run to stop.
    virtual bool RunProgress(const RunStep& /*step*/) { return true; }
    virtual void RunFinished() {}
};

}  // namespace hostfw
