#pragma once

#include <QStringList>
#include <deque>
#include <functional>

#include "desktop/save_choice_dialog.h"
#include "host/view/qt_host_ui.h"
#include "scripts/scripted_ui.h"

namespace host {

class Screenshots;

// What a person would stumble on in a window: a caption or cell cut, a text in English. Empty
// when there is nothing.
QStringList WindowFaults(const QWidget& window);

// The windows of a script run: real windows and dialogs, answered by operating them with the
// script's answers (keys to mark rows, OK or Cancelar, the prompt's text typed), while the
// transcript, the messages expected and the answers used are the scripted UI's, so the run
// reads exactly as a headless one. A dialog that returns other than the answer fails the run.
// With no script attached the person answers every dialog, as in the plain desktop.
class GuiScriptUi : public hostfw::view::QtHostUi {
public:
    // Who closes a message box while a script is attached: the script, or the person (a saved
    // choice replayed in the desktop shows the form's refusals to be read).
    enum class MessageReader { Script, Person };

    struct Attachment {
        ScriptedUi* scripted = nullptr;
        MessageReader reader = MessageReader::Person;
    };

    GuiScriptUi(const hostfw::TScreen& screen, QMdiArea* area, Screenshots& screenshots);
    // The script whose answers operate the dialogs from now on (nullptr: the person answers).
    void Attach(Attachment attachment) {
        scripted_ = attachment.scripted;
        messageReader_ = attachment.reader;
    }
    Attachment Attached() const { return {scripted_, messageReader_}; }
    // Runs after every report run that reached the user (the host keeps the last query).
    void SetDeliveryObserver(std::function<void()> observer) {
        deliveryObserver_ = std::move(observer);
    }

    // A message box, closed by the script when it reads the messages (MessageReader::Script).
    void ShowMessage(const std::string& text, hostfw::MessageKind kind) override;
    // The dialogs that ask: each operated with the script's answer, as a person would (rows
    // found through the filter box and marked, the text typed, OK or Cancelar).
    std::optional<std::vector<size_t>> PickList(const hostfw::ListPickRequest& request) override;
    std::optional<size_t> SearchRow(const hostfw::RowSearchRequest& request) override;
    std::optional<std::string> PromptText(const std::string& caption, const std::string& prompt,
                                          const std::string& initial) override;
    std::optional<hostfw::Credentials> AskCredentials(const std::string& failure) override;
    // The name and the dates of a choice to keep: a script's answer gives the name and keeps
    // the dates as typed.
    std::optional<ChoiceToSave> AskChoiceToSave(const QString& typedDates);
    // The script's next lines run inside the modal window.
    void RunModalLoop(hostfw::TCustomForm& form, const std::function<bool()>& closed) override;
    // The preview window (one at a time) and, with screenshots, its print dialog pictured.
    void ShowPreview(std::shared_ptr<const hostfw::ReportPreview> preview) override;
    // A call the script gives up is given up through the wait's Cancelar, once it shows.
    void AwaitCall(hostfw::PendingCall& call) override;

    // The script's observer hears what a headless run would, and a notice in English fails
    // the run; the window shows the notices as well. A delivered report goes to the delivery
    // observer, script or not.
    void Notify(const hostfw::Notice& notice) override;
    void ServerCalled(const hostfw::ServerCallRecord& call) override;
    void ReportQueryBound(const hostfw::TParams& params) override;
    void ReportDelivered() override;

private:
    // What to do with the next dialog once it is on screen.
    void OperateNext(std::function<void(QWidget&)> operate);
    void Shown(QWidget& widget);
    // A script run fails when a text on a window it shows is cut or in English.
    void CheckWindow(QWidget& window);

    ScriptedUi* scripted_ = nullptr;
    MessageReader messageReader_ = MessageReader::Person;
    std::function<void()> deliveryObserver_;
    Screenshots& screenshots_;
    std::deque<std::function<void(QWidget&)>> operators_;
};

}  // namespace host
