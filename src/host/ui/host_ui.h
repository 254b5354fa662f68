#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/net/server_call_observer.h"
#include "host/ui/notice.h"
#include "host/ui/report_preview.h"
#include "host/ui/row_source.h"
#include "host/ui/run_step.h"
#include "hostfw_export.h"

namespace hostfw {

class PendingCall;
class TCustomForm;
class TParams;

// Error is a refusal the program reports (MensErro); Failure an unexpected exception that
// the event loop shows.
enum class MessageKind { Information, Warning, Error, Failure };

struct ListPickRequest {
    std::string title;
    std::string hint;
    const RowSource* rows = nullptr;
    // The current list's rows start marked; rows past its end start unmarked (empty: none
    // marked, and the rows can be shown before all are read).
    std::vector<bool> marked;
};

struct RowSearchRequest {
    std::string title;
    const RowSource* rows = nullptr;
};

// Everything dialog-like the framework shows goes through this one interface: a scripted
// headless implementation drives the tests and scripts, a desktop one the windows.
class HOSTFW_EXPORT HostUi {
public:
    virtual ~HostUi();

    // Shows a message and waits until the user acknowledges it.
    virtual void ShowMessage(const std::string& text, MessageKind kind) = 0;
    // Multi-select list picker: the indices of the rows marked when the user confirms,
    // nullopt when the user cancels.
    virtual std::optional<std::vector<size_t>> PickList(const ListPickRequest& request) = 0;
    // Single-row search: the index of the row chosen, nullopt when cancelled.
    virtual std::optional<size_t> SearchRow(const RowSearchRequest& request) = 0;
    // Asks for a line of text; nullopt when cancelled.
    virtual std::optional<std::string> PromptText(const std::string& caption,
                                                  const std::string& prompt,
                                                  const std::string& initial) = 0;
    // Runs the modal loop: user input is handled until `closed` answers true.
    virtual void RunModalLoop(TCustomForm& form, const std::function<bool()>& closed) = 0;
    // A report laid out for the screen; a window may keep it open after the call returns.
    virtual void ShowPreview(std::shared_ptr<const ReportPreview> preview) = 0;
    // Something a user would notice: a file written, a report printed, the wait animation
    // shown or hidden (see Notice). A window shows its text without asking anything, or, for a
    // file kept where the person must find it, offers to open its folder.
    virtual void Notify(const Notice& notice) = 0;

    // Observations without a dialog: a call to the application server about to be sent, and
    // the parameters a report query is about to run with, as the form filled them.
    virtual void ServerCalled(const ServerCallRecord& call) = 0;
    virtual void ReportQueryBound(const TParams& params) = 0;

    // What a window shows and a script does not see: a form shown, hidden or freed, the
    // screen cursor and the wait animation changed. Nothing to do without a screen.
    virtual void FormShown(TCustomForm& /*form*/) {}
    virtual void FormHidden(TCustomForm& /*form*/) {}
    virtual void FormDestroyed(TCustomForm& /*form*/) {}
    virtual void CursorChanged(int /*cursor*/) {}
    virtual void WaitAnimationChanged(TCustomForm* /*over*/, bool /*shown*/) {}

    // A call to the application server under way on a thread of its own: returns once it is
    // done, or given up through PendingCall::Cancel (then the call raises CallCancelled). A
    // window keeps painting meanwhile and offers Cancelar; a script gives up the calls it says
    // to. By default it just waits.
    virtual void AwaitCall(PendingCall& call);

    // A long report run, reported every few rows: a window shows how far it got after half a
    // second and offers to cancel it. False from RunProgress asks the run to stop.
    virtual void RunStarted(const std::string& /*title*/) {}
    virtual bool RunProgress(const RunStep& /*step*/) { return true; }
    virtual void RunFinished() {}

    // A report run of the form reached the user whole: previewed, printed, saved as or
    // exported. The host may keep the form's choices then; by default nothing happens.
    virtual void ReportDelivered() {}
};

}  // namespace hostfw
