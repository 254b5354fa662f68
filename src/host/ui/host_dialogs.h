#pragma once

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "host/ui/report_preview.h"
#include "host/ui/row_source.h"
#include "hostfw_export.h"

namespace hostfw {

class PendingCall;
class TCustomForm;

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

// What the program shows and waits on: a person (or a script playing one) answers it before
// the program goes on.
class HOSTFW_EXPORT HostDialogs {
public:
    virtual ~HostDialogs();

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
    // A call to the application server under way on a thread of its own: returns once it is
    // done, or given up through PendingCall::Cancel (then the call raises CallCancelled). A
    // window keeps painting meanwhile and offers Cancelar; a script gives up the calls it says
    // to. By default it just waits.
    virtual void AwaitCall(PendingCall& call);
};

}  // namespace hostfw
