#include "host/view/qt_host_ui.h"

#include <QApplication>
#include <QDesktopServices>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QInputDialog>
#include <QMdiArea>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <QUrl>

#include "host/net/pending_call.h"
#include "host/ui/application.h"
#include "host/view/busy_overlay.h"
#include "host/view/call_wait_dialog.h"
#include "host/view/list_picker_dialog.h"
#include "host/view/message_box.h"
#include "host/view/picked_counts.h"
#include "host/view/preview_window.h"
#include "host/view/row_search_dialog.h"
#include "host/view/sign_in_dialog.h"
#include "host/view/text_fit.h"

namespace hostfw::view {

namespace {

// A call that takes longer than this shows its wait with Cancelar; a quick one only the wait
// animation.
constexpr qint64 kCallDialogDelayMs = 500;
constexpr std::chrono::milliseconds kPaintEvery{20};

}  // namespace

struct QtHostUi::ModalLoop {
    QEventLoop loop;
    std::function<bool()> closed;
};

QtHostUi::QtHostUi(const TScreen& screen, QMdiArea* area)
    : screen_(screen), windows_(area), area_(area) {}

QtHostUi::~QtHostUi() {
    for (const auto& preview : previews_)
        delete preview.data();
    if (busyCursor_)
        QApplication::restoreOverrideCursor();
}

QWidget* QtHostUi::DialogParent() const {
    if (QWidget* active = QApplication::activeModalWidget())
        return active;
    if (TCustomForm* form = screen_.ActiveForm()) {
        if (QWidget* window = windows_.WindowOf(*form))
            return window->window();
    }
    return area_ != nullptr ? area_->window() : nullptr;
}

void QtHostUi::AnnounceShown(QWidget& widget) {
    if (shownHook_)
        shownHook_(widget);
}

int QtHostUi::ExecDialog(QDialog& dialog) {
    AfterModelChange();
    QPointer<QDialog> guard(&dialog);
    QTimer::singleShot(0, &dialog, [this, guard] {
        if (!guard)
            return;
        // A small dialog is still wide enough for its whole title ("Consultas salvas"); the
        // dialogs that size themselves to their layout are widened once laid out.
        if (guard->width() < TitleWidth(*guard))
            guard->resize(TitleWidth(*guard), guard->height());
        AnnounceShown(*guard);
    });
    // The busy cursor of a handler must not hide the dialog's own.
    if (busyCursor_)
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    const int result = dialog.exec();
    if (busyCursor_)
        QApplication::restoreOverrideCursor();
    // The window the dialog was over is active again, so its focus shows; a window manager
    // does it on its own, a screen without one (offscreen) does not.
    if (QWidget* parent = dialog.parentWidget(); parent != nullptr && !parent->isActiveWindow())
        parent->window()->activateWindow();
    return result;
}

void QtHostUi::ShowMessage(const std::string& text, MessageKind kind) {
    std::unique_ptr<QMessageBox> box(MakeMessageBox(text, kind, DialogParent()));
    ExecDialog(*box);
}

std::optional<std::vector<size_t>> QtHostUi::PickList(const ListPickRequest& request) {
    ListPickerDialog dialog(request, DialogParent());
    CountPicked(dialog.Model().MarkedCount());
    ExecDialog(dialog);
    auto result = dialog.Result();
    if (result)
        CountPicked(result->size());
    return result;
}

std::optional<size_t> QtHostUi::SearchRow(const RowSearchRequest& request) {
    RowSearchDialog dialog(request, DialogParent());
    ExecDialog(dialog);
    return dialog.Result();
}

std::optional<std::string> QtHostUi::PromptText(const std::string& caption,
                                                const std::string& prompt,
                                                const std::string& initial) {
    QInputDialog dialog(DialogParent());
    dialog.setObjectName(QStringLiteral("pergunta"));
    dialog.setWindowTitle(QString::fromStdString(caption));
    dialog.setLabelText(QString::fromStdString(prompt));
    dialog.setTextValue(QString::fromStdString(initial));
    dialog.setOkButtonText(QStringLiteral("OK"));
    dialog.setCancelButtonText(QStringLiteral("Cancelar"));
    if (ExecDialog(dialog) != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue().toStdString();
}

std::optional<Credentials> QtHostUi::AskCredentials(const std::string& failure) {
    SignInDialog dialog(failure, DialogParent());
    ExecDialog(dialog);
    return dialog.Result();
}

void QtHostUi::RunModalLoop(TCustomForm& /*form*/, const std::function<bool()>& closed) {
    // The show handler ran inside the action that opened the window: show what it did before
    // the user acts.
    AfterModelChange();
    if (closed())
        return;
    ModalLoop modal;
    modal.closed = closed;
    modalLoops_.push_back(&modal);
    modal.loop.exec();
    modalLoops_.erase(std::find(modalLoops_.begin(), modalLoops_.end(), &modal));
}

void QtHostUi::ModelChanged() {
    for (ModalLoop* modal : modalLoops_) {
        if (modal->closed())
            modal->loop.quit();
    }
}

void QtHostUi::ShowPreview(std::shared_ptr<const ReportPreview> preview) {
    auto* window = new PreviewWindow(std::move(preview), nullptr);
    previews_.push_back(window);
    window->show();
    window->raise();
    AnnounceShown(*window);
}

std::vector<PreviewWindow*> QtHostUi::Previews() const {
    std::vector<PreviewWindow*> open;
    for (const auto& preview : previews_) {
        if (preview)
            open.push_back(preview.data());
    }
    return open;
}

void QtHostUi::Notify(const Notice& notice) {
    if (notice.text.empty())
        return;
    if (notice_)
        notice_(notice.text);
    if (notice.folder.empty())
        return;
    std::unique_ptr<QMessageBox> box(
        MakeMessageBox(notice.text, MessageKind::Information, DialogParent()));
    QPushButton* open = box->addButton(QStringLiteral("Abrir pasta"), QMessageBox::ActionRole);
    open->setObjectName(QStringLiteral("abrir_pasta"));
    ExecDialog(*box);
    if (box->clickedButton() == open)
        QDesktopServices::openUrl(QUrl::fromLocalFile(QString::fromStdString(notice.folder)));
}

void QtHostUi::ServerCalled(const ServerCallRecord& /*call*/) {}

void QtHostUi::ReportQueryBound(const TParams& /*params*/) {}

void QtHostUi::FormShown(TCustomForm& form) {
    windows_.Shown(form);
    if (QWidget* window = windows_.WindowOf(form))
        AnnounceShown(*window);
}

void QtHostUi::FormHidden(TCustomForm& form) {
    windows_.Hidden(form);
}

void QtHostUi::FormDestroyed(TCustomForm& form) {
    windows_.Destroyed(form);
}

void QtHostUi::CursorChanged(int cursor) {
    const bool busy = cursor == crHourGlass;
    if (busy == busyCursor_)
        return;
    busyCursor_ = busy;
    if (busy)
        QApplication::setOverrideCursor(Qt::WaitCursor);
    else
        QApplication::restoreOverrideCursor();
}

void QtHostUi::WaitAnimationChanged(TCustomForm* over, bool shown) {
    BusyOverlay* busy = busy_;
    if (!shown) {
        if (busy != nullptr)
            busy->Stop();
        return;
    }
    QWidget* target = over != nullptr ? windows_.WindowOf(*over) : nullptr;
    if (target == nullptr && screen_.ActiveForm() != nullptr)
        target = windows_.WindowOf(*screen_.ActiveForm());
    if (target == nullptr && area_ != nullptr)
        target = area_->window();
    if (target == nullptr)
        return;
    if (busy == nullptr || busy->parentWidget() != target) {
        delete busy;
        busy = new BusyOverlay(*target);
        busy_ = busy;
    }
    busy->Start();
}

void QtHostUi::AwaitCall(PendingCall& call) {
    // The windows keep painting; what the person types meanwhile is held until the call ends.
    QElapsedTimer clock;
    clock.start();
    while (!call.WaitFor(kPaintEvery)) {
        if (clock.elapsed() >= kCallDialogDelayMs) {
            CallWaitDialog dialog(call, DialogParent());
            ExecDialog(dialog);
            return;
        }
        QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    }
}

void QtHostUi::RunStarted(const std::string& title) {
    progress_.Start(title);
}

bool QtHostUi::RunProgress(const RunStep& step) {
    return progress_.Update(step);
}

void QtHostUi::RunFinished() {
    progress_.Finish();
}

}  // namespace hostfw::view
