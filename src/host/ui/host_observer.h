#pragma once

#include "host/net/server_call_observer.h"
#include "host/ui/notice.h"
#include "hostfw_export.h"

namespace hostfw {

class TCustomForm;
class TParams;

// What the program does that someone may follow without being asked anything: a transcript
// writes it down, a window shows it.
class HOSTFW_EXPORT HostObserver {
public:
    virtual ~HostObserver();

    // Something a user would notice: a file written, a report printed, the wait animation
    // shown or hidden (see Notice). A window shows its text without asking anything, or, for a
    // file kept where the person must find it, offers to open its folder.
    virtual void Notify(const Notice& notice) = 0;
    // A call to the application server about to be sent, and the parameters a report query is
    // about to run with, as the form filled them.
    virtual void ServerCalled(const ServerCallRecord& call) = 0;
    virtual void ReportQueryBound(const TParams& params) = 0;
    // A report run of the form reached the user whole: previewed, printed, saved as or
    // exported. The host may keep the form's choices then; by default nothing happens.
    virtual void ReportDelivered() {}

    // What a window shows and a script does not see: a form shown, hidden or freed, the
    // screen cursor and the wait animation changed. Nothing to do without a screen.
    virtual void FormShown(TCustomForm& /*form*/) {}
    virtual void FormHidden(TCustomForm& /*form*/) {}
    virtual void FormDestroyed(TCustomForm& /*form*/) {}
    virtual void CursorChanged(int /*cursor*/) {}
    virtual void WaitAnimationChanged(TCustomForm* /*over*/, bool /*shown*/) {}
};

}  // namespace hostfw
