#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/net/server_call_observer.h"
#include "hostfw_export.h"

namespace hostfw {

class TCustomForm;
class TParams;

// Error is a refusal the program reports (MensErro); Failure an unexpected exception that
// the event loop shows.
enum class MessageKind { Information, Warning, Error, Failure };

// A grid of rows offered to the user: column captions and widths, and each row's texts
// as the fields display them.
struct GridColumn {
    std::string caption;
    int width = 0;  // display width in characters, 0 when the field has none
};

struct RowGrid {
    std::vector<GridColumn> columns;
    std::vector<std::vector<std::string>> rows;
};

struct ListPickRequest {
    std::string title;
    std::string hint;
    RowGrid grid;
    std::vector<std::string> keys;  // one per row
    std::vector<bool> marked;       // one per row: the current list's rows start marked
};

struct RowSearchRequest {
    std::string title;
    RowGrid grid;
    std::vector<std::string> keys;  // one per row, the key field's values
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
    // A report shown on screen, already rendered as text.
    virtual void ShowPreview(const std::string& title, const std::string& text) = 0;
    // Something a user would notice that has no dialog: a file written, a server call, the
    // wait animation shown or hidden. One line, stable wording.
    virtual void Notify(const std::string& line) = 0;

    // Observations without a dialog: a call to the application server about to be sent, and
    // the parameters a report query is about to run with, as the form filled them.
    virtual void ServerCalled(const ServerCallRecord& call) = 0;
    virtual void ReportQueryBound(const TParams& params) = 0;
    // A report run of the form reached the user whole: previewed, printed, saved as or
    // exported. The host may keep the form's choices then; by default nothing happens.
    virtual void ReportDelivered() {}
};

}  // namespace hostfw
