#pragma once

#include <QPointer>
#include <functional>
#include <memory>
#include <vector>

#include "host/data/engine.h"
#include "host/ui/host_ui.h"
#include "host/view/form_windows.h"
#include "host/view/run_progress.h"
#include "hostfw_view_export.h"

class QDialog;
class QMdiArea;
class QWidget;

namespace hostfw {
class TScreen;
}

namespace hostfw::view {

class BusyOverlay;
class PreviewWindow;

// The host UI on a screen: forms in real windows, message boxes, the list picker, the
// single-row search, the text prompt, the report preview, the progress of long runs, the busy
// cursor and the wait animation. Every dialog is modal and answered by the user.
class HOSTFW_VIEW_EXPORT QtHostUi : public HostUi, public ModelFollower {
public:
    // The UI of the context whose screen is `screen` (its active form parents the dialogs).
    // Embedded forms go into `area`; without one every form has a window of its own.
    explicit QtHostUi(const TScreen& screen, QMdiArea* area = nullptr);
    ~QtHostUi() override;

    FormWindows& Windows() { return windows_; }
    // The host's main window, once it exists, takes the embedded forms.
    void SetMdiArea(QMdiArea* area) {
        area_ = area;
        windows_.SetArea(area);
    }
    RunProgressDialog& Progress() { return progress_; }
    // Where notices go (the main window's status bar); dropped without one.
    void SetNoticeSink(std::function<void(const std::string&)> sink) { notice_ = std::move(sink); }
    // Runs with every dialog and window right after it is shown (a script or a test operates
    // it from there, inside its modal loop).
    void SetShownHook(std::function<void(QWidget&)> hook) { shownHook_ = std::move(hook); }
    // The preview windows still open, oldest first.
    std::vector<PreviewWindow*> Previews() const;

    // The dialogs, modal and answered by the person.
    void ShowMessage(const std::string& text, MessageKind kind) override;
    std::optional<std::vector<size_t>> PickList(const ListPickRequest& request) override;
    std::optional<size_t> SearchRow(const RowSearchRequest& request) override;
    std::optional<std::string> PromptText(const std::string& caption, const std::string& prompt,
                                          const std::string& initial) override;
    void RunModalLoop(TCustomForm& form, const std::function<bool()>& closed) override;
    void ShowPreview(std::shared_ptr<const ReportPreview> preview) override;
    void AwaitCall(PendingCall& call) override;

    // What the windows follow: notices on the status bar, forms in their windows, the cursor
    // and the wait animation.
    void Notify(const Notice& notice) override;
    void ServerCalled(const ServerCallRecord& call) override;
    void ReportQueryBound(const TParams& params) override;

    void FormShown(TCustomForm& form) override;
    void FormHidden(TCustomForm& form) override;
    void FormDestroyed(TCustomForm& form) override;
    void CursorChanged(int cursor) override;
    void WaitAnimationChanged(TCustomForm* over, bool shown) override;

    // A long run's progress dialog.
    void RunStarted(const std::string& title) override;
    bool RunProgress(const RunStep& step) override;
    void RunFinished() override;

    void ModelChanged() override;

    // The sign-in dialog: the user and password typed, or nothing when the person gives up.
    // `failure` says why it asks again (empty the first time).
    virtual std::optional<Credentials> AskCredentials(const std::string& failure);

protected:
    // Runs a dialog's modal loop, after the windows caught up with the model and with the
    // shown hook called once it is on screen.
    int ExecDialog(QDialog& dialog);
    void AnnounceShown(QWidget& widget);
    QWidget* DialogParent() const;

private:
    struct ModalLoop;

    const TScreen& screen_;
    FormWindows windows_;
    QMdiArea* area_;
    RunProgressDialog progress_;
    std::function<void(const std::string&)> notice_;
    std::function<void(QWidget&)> shownHook_;
    std::vector<ModalLoop*> modalLoops_;
    std::vector<QPointer<PreviewWindow>> previews_;
    QPointer<BusyOverlay> busy_;
    bool busyCursor_ = false;
};

}  // namespace hostfw::view
