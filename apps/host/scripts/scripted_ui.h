#pragma once

#include <deque>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/ui/host_dialogs.h"
#include "scripts/run_status.h"
#include "scripts/script_answers.h"
#include "scripts/script_observer.h"
#include "scripts/transcript.h"

namespace host {

struct ShownMessage {
    std::string text;
    hostfw::MessageKind kind = hostfw::MessageKind::Information;
};

// The host's dialogs without a screen: messages, pickers and reports go to the transcript,
// the user's answers come from the script in advance, and the modal loop runs the script's
// next lines. What the run follows without a dialog is its observer's, written to the same
// transcript.
class ScriptedUi : public hostfw::HostDialogs {
public:
    using ModalRunner = std::function<void(const std::function<bool()>& closed)>;

    ScriptedUi(Transcript& transcript, RunStatus& status);
    ~ScriptedUi() override;

    RunStatus& Status() { return status_; }
    ScriptObserver& Observer() { return observer_; }

    void QueuePick(ListAnswer answer) { picks_.Push(std::move(answer)); }
    void QueueChoice(RowAnswer answer) { choices_.Push(std::move(answer)); }
    void QueueText(TextAnswer answer) { texts_.Push(std::move(answer)); }
    void QueueLogin(LoginAnswer answer) { logins_.Push(std::move(answer)); }
    void QueueWait(WaitAnswer answer) { waits_.Push(std::move(answer)); }
    // Whether the script gives up the next call that keeps it waiting, and taking that answer.
    bool GivesUpNextCall() const { return !waits_.Waiting().empty(); }
    void GiveUpCall() { waits_.Pop(); }
    // The answers no dialog took, one description each ("linha 4: pick 0001").
    std::vector<std::string> UnusedAnswers() const;

    // Messages shown and not yet expected, oldest first.
    std::deque<ShownMessage>& Messages() { return messages_; }
    // With strict messages a refusal or a failure shown fails the run with its own text (the
    // report command: whatever the form refuses ends it); information and warnings do not.
    void SetStrictMessages(bool strict) { strictMessages_ = strict; }

    // Previews go to this file instead of the transcript; created at the first preview.
    void SetPreviewFile(const std::filesystem::path& file);
    // Previews go to this stream (the report command's standard output), and are not kept for
    // LastPreview.
    void SetPreviewStream(std::ostream* out) { previewStream_ = out; }

    // How many previews were shown so far.
    int PreviewCount() const { return previewCount_; }
    // The text of the last preview, for the expectations on what the report shows.
    const std::string& LastPreview() const { return lastPreview_; }

    void SetModalRunner(ModalRunner runner) { modalRunner_ = std::move(runner); }

    void ShowMessage(const std::string& text, hostfw::MessageKind kind) override;
    std::optional<std::vector<size_t>> PickList(const hostfw::ListPickRequest& request) override;
    std::optional<size_t> SearchRow(const hostfw::RowSearchRequest& request) override;
    std::optional<std::string> PromptText(const std::string& caption, const std::string& prompt,
                                          const std::string& initial) override;
    void RunModalLoop(hostfw::TCustomForm& form, const std::function<bool()>& closed) override;
    void ShowPreview(std::shared_ptr<const hostfw::ReportPreview> preview) override;
    void AwaitCall(hostfw::PendingCall& call) override;

    // The sign-in dialog's answer: the next login line. The password never reaches the
    // transcript. `failure` says why it asks again (empty the first time).
    std::optional<hostfw::Credentials> AskCredentials(const std::string& failure);

private:
    void WritePreview(std::ostream& out, const std::string& text);
    static void CheckPreviewWritten(std::ostream& out);

    Transcript& transcript_;
    RunStatus& status_;
    ScriptObserver observer_;
    AnswerQueue<std::vector<std::string>> picks_;
    AnswerQueue<std::string> choices_;
    AnswerQueue<std::string> texts_;
    AnswerQueue<hostfw::Credentials> logins_;
    AnswerQueue<std::monostate> waits_;
    std::deque<ShownMessage> messages_;
    bool strictMessages_ = false;
    std::filesystem::path previewFile_;
    std::unique_ptr<std::ofstream> previewFileStream_;
    std::ostream* previewStream_ = nullptr;
    ModalRunner modalRunner_;
    int previewCount_ = 0;
    std::string lastPreview_;
};

}  // namespace host
