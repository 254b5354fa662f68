#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "host/data/params.h"
#include "host/ui/application.h"
#include "host/ui/host_context.h"
#include "host/ui/host_ui.h"

namespace testsupport {

// A host UI that records what the framework shows and answers dialogs from queues the test
// fills beforehand. A dialog with no answer queued is a test failure, answered as cancelled.
class FakeHostUi : public hostfw::HostUi {
public:
    struct Message {
        std::string text;
        hostfw::MessageKind kind;
    };
    // A picker as it was shown: its rows are read while it is open, since they are lazy.
    struct ShownRows {
        std::string title;
        std::string hint;
        std::vector<hostfw::GridColumn> columns;
        std::vector<std::vector<std::string>> rows;
        std::vector<std::string> keys;
        std::vector<bool> marked;
    };

    std::vector<Message> messages;
    std::vector<ShownRows> pickRequests;
    std::vector<ShownRows> searchRequests;
    std::vector<std::string> notes;  // the transcript's lines of the notices
    std::vector<hostfw::Notice> notices;
    std::vector<hostfw::ServerCallRecord> serverCalls;
    // The parameters of the last report query run, and how many runs there were.
    hostfw::TParams reportParams;
    int reportRuns = 0;
    std::deque<std::optional<std::vector<size_t>>> pickAnswers;
    std::deque<std::optional<size_t>> searchAnswers;
    // Answers by key, taken when no answer by row waits: the rows whose key is listed.
    std::deque<std::vector<std::string>> pickKeyAnswers;
    // Runs inside ShowMessage, while the message is on screen.
    std::function<void(const Message&)> whileMessageShown;
    // What the user does inside a modal loop, before the loop checks whether it may end.
    std::function<void(hostfw::TCustomForm&)> modalActions;

    void ShowMessage(const std::string& text, hostfw::MessageKind kind) override {
        messages.push_back({text, kind});
        if (whileMessageShown)
            whileMessageShown(messages.back());
    }

    std::optional<std::vector<size_t>> PickList(const hostfw::ListPickRequest& request) override {
        pickRequests.push_back(Snapshot(request.title, *request.rows));
        pickRequests.back().hint = request.hint;
        pickRequests.back().marked = request.marked;
        if (pickAnswers.empty() && !pickKeyAnswers.empty())
            return RowsOfKeys(*request.rows, TakeFront(pickKeyAnswers));
        return Take(pickAnswers, "list picker");
    }

    std::optional<size_t> SearchRow(const hostfw::RowSearchRequest& request) override {
        searchRequests.push_back(Snapshot(request.title, *request.rows));
        return Take(searchAnswers, "row search");
    }

    std::optional<std::string> PromptText(const std::string&, const std::string&,
                                          const std::string&) override {
        ADD_FAILURE() << "unexpected text prompt";
        return std::nullopt;
    }

    void RunModalLoop(hostfw::TCustomForm& form, const std::function<bool()>& closed) override {
        if (modalActions)
            modalActions(form);
        EXPECT_TRUE(closed()) << "the modal loop would never end";
    }

    void ShowPreview(std::shared_ptr<const hostfw::ReportPreview> preview) override {
        notes.push_back("preview: " + preview->Title());
    }

    void Notify(const hostfw::Notice& notice) override {
        notes.push_back(notice.line);
        notices.push_back(notice);
    }

    void ServerCalled(const hostfw::ServerCallRecord& call) override {
        serverCalls.push_back(call);
    }

    void ReportQueryBound(const hostfw::TParams& params) override {
        reportParams = hostfw::TParams();
        for (size_t i = 0; i < params.Count(); ++i)
            reportParams.CreateParam(params[i].Name()).SetAsVariant(params[i].Value());
        ++reportRuns;
    }

    std::vector<std::string> MessageTexts() const {
        std::vector<std::string> texts;
        for (const Message& m : messages)
            texts.push_back(m.text);
        return texts;
    }

private:
    static ShownRows Snapshot(const std::string& title, const hostfw::RowSource& source) {
        ShownRows shown{title, {}, source.Columns(), {}, {}, {}};
        for (size_t row = 0; row < source.RowCount(); ++row) {
            std::vector<std::string> cells;
            for (size_t column = 0; column < source.Columns().size(); ++column)
                cells.push_back(source.Cell(row, column));
            shown.rows.push_back(std::move(cells));
            shown.keys.push_back(source.Key(row));
        }
        return shown;
    }

    static std::vector<std::string> TakeFront(std::deque<std::vector<std::string>>& answers) {
        std::vector<std::string> front = std::move(answers.front());
        answers.pop_front();
        return front;
    }

    static std::vector<size_t> RowsOfKeys(const hostfw::RowSource& source,
                                          const std::vector<std::string>& keys) {
        std::vector<size_t> rows;
        for (size_t row = 0; row < source.RowCount(); ++row) {
            if (std::find(keys.begin(), keys.end(), source.Key(row)) != keys.end())
                rows.push_back(row);
        }
        return rows;
    }

    template <class Answer>
    static std::optional<Answer> Take(std::deque<std::optional<Answer>>& answers,
                                      const char* dialog) {
        if (answers.empty()) {
            ADD_FAILURE() << "no answer queued for the " << dialog;
            return std::nullopt;
        }
        std::optional<Answer> answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

// A context of the test's own whose application shows through a fake host UI for the
// lifetime of a test fixture.
class FakeUiTest : public ::testing::Test {
protected:
    FakeUiTest() { context.Application().SetUi(&ui); }
    ~FakeUiTest() override { context.Application().SetUi(nullptr); }

    // What the test's forms and components are owned by, to reach the context.
    hostfw::TApplication* Owner() { return &context.Application(); }
    hostfw::TApplication& Application() { return context.Application(); }
    hostfw::TScreen& Screen() { return context.Screen(); }

    hostfw::HostContext context;
    FakeHostUi ui;
};

}  // namespace testsupport
