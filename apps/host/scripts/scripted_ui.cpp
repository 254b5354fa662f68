#include "scripts/scripted_ui.h"

#include <chrono>
#include <sstream>

#include "host/core/exception.h"
#include "host/core/output_target.h"
#include "host/net/pending_call.h"
#include "scripts/script_error.h"
#include "scripts/script_token.h"

namespace host {
namespace {

// How long a call runs before a script that gives it up does, as a person who sees the wait
// first; a call done by then leaves the answer to the next one.
constexpr std::chrono::milliseconds kPatience{200};

std::string RowCount(size_t rows) {
    return " [" + std::to_string(rows) + (rows == 1 ? " linha]" : " linhas]");
}

std::string Joined(const std::vector<std::string>& keys) {
    std::string text;
    for (const std::string& key : keys)
        text += (text.empty() ? "" : ",") + key;
    return text;
}

template <class T>
void DescribeUnused(const AnswerQueue<T>& queue, const std::string& verb,
                    std::vector<std::string>& out) {
    for (const ScriptAnswer<T>& answer : queue.Waiting())
        out.push_back("linha " + std::to_string(answer.line) + ": " + verb);
}

}  // namespace

ScriptedUi::ScriptedUi(Transcript& transcript, RunStatus& status)
    : transcript_(transcript), status_(status), observer_(transcript) {}

ScriptedUi::~ScriptedUi() = default;

std::vector<std::string> ScriptedUi::UnusedAnswers() const {
    std::vector<std::string> unused;
    DescribeUnused(picks_, "pick", unused);
    DescribeUnused(choices_, "choose", unused);
    DescribeUnused(texts_, "answer", unused);
    DescribeUnused(logins_, "login", unused);
    DescribeUnused(waits_, "wait cancel", unused);
    return unused;
}

void ScriptedUi::SetPreviewFile(const std::filesystem::path& file) {
    previewFile_ = file;
    previewFileStream_.reset();
}

void ScriptedUi::ShowMessage(const std::string& text, hostfw::MessageKind kind) {
    observer_.WriteNewReportRuns();
    transcript_.Event(kind == hostfw::MessageKind::Failure ? "error" : "message", text);
    messages_.push_back({text, kind});
    const bool refusal = kind == hostfw::MessageKind::Error || kind == hostfw::MessageKind::Failure;
    if (strictMessages_ && refusal)
        status_.Fail(text);
}

std::optional<std::vector<size_t>> ScriptedUi::PickList(const hostfw::ListPickRequest& request) {
    observer_.WriteNewReportRuns();
    const std::string shown = request.title + RowCount(request.rows->RowCount()) + " -> ";
    const std::optional<ListAnswer> answer = picks_.Pop();
    if (!answer) {
        transcript_.Event("picker", shown + "sem resposta");
        status_.Fail("o seletor '" + request.title +
                     "' apareceu sem resposta; escreva uma linha pick antes da ação que o abre.");
        return std::nullopt;
    }
    if (!answer->value) {
        transcript_.Event("picker", shown + "cancelado");
        return std::nullopt;
    }
    try {
        std::vector<std::string> missing;
        std::vector<size_t> rows = RowsOfKeys(*request.rows, *answer->value, request.title,
                                              answer->leaveOutMissing ? &missing : nullptr);
        std::vector<std::string> marked;
        for (size_t row : rows)
            marked.push_back(request.rows->Key(row));
        transcript_.Event("picker", shown + (rows.empty() ? "nenhuma" : Joined(marked)));
        for (const std::string& key : missing) {
            ShowMessage("\"" + key + "\" não existe mais em '" + request.title +
                            "' e ficou fora da consulta.",
                        hostfw::MessageKind::Warning);
        }
        return rows;
    } catch (const ScriptError& e) {
        transcript_.Event("picker", shown + "resposta inválida");
        status_.Fail(e.what());
        return std::nullopt;
    }
}

std::optional<size_t> ScriptedUi::SearchRow(const hostfw::RowSearchRequest& request) {
    observer_.WriteNewReportRuns();
    const std::string shown = request.title + RowCount(request.rows->RowCount()) + " -> ";
    const std::optional<RowAnswer> answer = choices_.Pop();
    if (!answer) {
        transcript_.Event("search", shown + "sem resposta");
        status_.Fail("a pesquisa '" + request.title +
                     "' apareceu sem resposta; escreva uma linha choose antes da ação que a abre.");
        return std::nullopt;
    }
    if (!answer->value) {
        transcript_.Event("search", shown + "cancelado");
        return std::nullopt;
    }
    try {
        const size_t row = RowOfKey(*request.rows, *answer->value, request.title);
        transcript_.Event("search", shown + *answer->value);
        return row;
    } catch (const ScriptError& e) {
        transcript_.Event("search", shown + "resposta inválida");
        status_.Fail(e.what());
        return std::nullopt;
    }
}

std::optional<std::string> ScriptedUi::PromptText(const std::string& caption,
                                                  const std::string& prompt,
                                                  const std::string& /*initial*/) {
    observer_.WriteNewReportRuns();
    const std::string shown = caption + ": " + prompt + " -> ";
    const std::optional<TextAnswer> answer = texts_.Pop();
    if (!answer) {
        transcript_.Event("prompt", shown + "sem resposta");
        status_.Fail("a pergunta '" + caption +
                     "' apareceu sem resposta; escreva uma linha answer antes da ação que a abre.");
        return std::nullopt;
    }
    transcript_.Event("prompt", shown + (answer->value ? QuoteScriptText(*answer->value)
                                                       : std::string("cancelado")));
    return answer->value;
}

std::optional<hostfw::Credentials> ScriptedUi::AskCredentials(const std::string& failure) {
    const std::string shown = "Entrar" + (failure.empty() ? "" : " (" + failure + ")") + " -> ";
    const std::optional<LoginAnswer> answer = logins_.Pop();
    if (!answer) {
        transcript_.Event("login", shown + "sem resposta");
        status_.Fail(
            "o pedido de senha apareceu sem resposta; escreva uma linha login antes da "
            "primeira ação do script.");
        return std::nullopt;
    }
    transcript_.Event("login", shown + (answer->value ? QuoteScriptText(answer->value->user)
                                                      : std::string("cancelado")));
    return answer->value;
}

void ScriptedUi::RunModalLoop(hostfw::TCustomForm& /*form*/, const std::function<bool()>& closed) {
    if (!modalRunner_) {
        status_.Fail("uma janela modal abriu sem script para conduzi-la.");
        hostfw::Abort();
    }
    modalRunner_(closed);
}

void ScriptedUi::ShowPreview(std::shared_ptr<const hostfw::ReportPreview> preview) {
    observer_.WriteNewReportRuns();
    const std::string& title = preview->Title();
    ++previewCount_;
    if (previewStream_ != nullptr) {
        // The report command's output: written a page at a time and not kept, since no script
        // line asks for it, so its memory does not grow with the report.
        transcript_.Event("report", title);
        preview->WriteText(*previewStream_);
        CheckPreviewWritten(*previewStream_);
        return;
    }
    const std::string text = preview->Text();
    lastPreview_ = text;
    if (!previewFile_.empty()) {
        if (!previewFileStream_) {
            hostfw::CheckOutputTarget(previewFile_);
            previewFileStream_ = std::make_unique<std::ofstream>(previewFile_, std::ios::trunc);
            if (!*previewFileStream_) {
                previewFileStream_.reset();
                throw hostfw::Exception("Não foi possível gravar a pré-visualização em '" +
                                        previewFile_.string() + "'.");
            }
        }
        transcript_.Event("report", title + " -> " + previewFile_.string());
        WritePreview(*previewFileStream_, text);
        return;
    }
    transcript_.Event("report", title);
    std::istringstream lines(text);
    for (std::string line; std::getline(lines, line);)
        transcript_.Raw(line);
}

void ScriptedUi::WritePreview(std::ostream& out, const std::string& text) {
    out << text;
    if (!text.empty() && text.back() != '\n')
        out << '\n';
    CheckPreviewWritten(out);
}

void ScriptedUi::CheckPreviewWritten(std::ostream& out) {
    out.flush();
    if (!out)
        throw hostfw::Exception("Não foi possível gravar a pré-visualização.");
}

void ScriptedUi::AwaitCall(hostfw::PendingCall& call) {
    if (!GivesUpNextCall() || call.WaitFor(kPatience))
        return call.Wait();
    GiveUpCall();
    call.Cancel();
    call.Wait();
}

}  // namespace host
