#pragma once

#include "host/core/observer_slot.h"
#include "host/net/net_context.h"
#include "host/ui/application.h"
#include "hostfw_export.h"

namespace hostfw {

struct ReportRunRecord;

// A program's whole context: the session, its shared database, the observers, the screen and
// the application that owns the forms. A program (or a test) builds one and passes it down;
// a form reaches it through its owner, the application. Server calls are heard, and waited
// for, through the application's UI when it has one.
class HOSTFW_EXPORT HostContext : public NetContext {
public:
    HostContext();
    ~HostContext() override;

    TApplication& Application() { return application_; }
    TScreen& Screen() { return screen_; }
    // Who hears of every report command of the base form once it has ended.
    ObserverSlot<ReportRunRecord>& ReportRuns() { return reportRuns_; }
    // Whether the wait animation is shown over this context's windows.
    bool WaitAnimationShown() const { return waitAnimationShown_; }
    void SetWaitAnimationShown(bool shown) { waitAnimationShown_ = shown; }

private:
    ObserverSlot<ReportRunRecord> reportRuns_;
    bool waitAnimationShown_ = false;
    // Before the application: the forms it frees on the way out still read the screen.
    TScreen screen_;
    TApplication application_;
};

// The context the component is owned under; raises a clear Exception for one owned by no
// application.
HOSTFW_EXPORT HostContext& HostContextOf(const TComponent& component);

}  // namespace hostfw
