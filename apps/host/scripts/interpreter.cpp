#include "scripts/interpreter.h"

#include <utility>

#include "host/core/exception.h"
#include "scripts/script_commands.h"
#include "scripts/script_error.h"
#include "scripts/script_token.h"

namespace host {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

}  // namespace

Interpreter::Interpreter(std::istream& script, ScriptedUi& ui, ModuleHost& module,
                         ScriptScreen* screen)
    : script_(script),
      ui_(ui),
      module_(module),
      screen_(screen != nullptr ? *screen : modelOnly_),
      status_(ui.Status()) {
    ui_.SetModalRunner([this](const std::function<bool()>& closed) { RunModal(closed); });
}

Interpreter::~Interpreter() {
    ui_.SetModalRunner(nullptr);
}

void Interpreter::Run() {
    RunLines([] { return false; });
    if (!status_.Failed())
        CheckUnusedAnswers();
}

void Interpreter::RunStep(const std::function<void(ScriptContext&)>& step) {
    ScriptContext context{ui_, module_, screen_};
    try {
        step(context);
    } catch (const std::exception& e) {
        status_.Fail(e.what());
    }
    ui_.Observer().WriteNewReportRuns();
    if (!status_.Failed())
        CheckUnusedAnswers();
}

void Interpreter::RunLines(const std::function<bool()>& stop) {
    std::string line;
    while (!status_.Failed() && !stop() && std::getline(script_, line)) {
        // Editors on some systems start a UTF-8 file with a byte-order mark.
        if (lineNumber_ == 0 && line.starts_with(kByteOrderMark))
            line.erase(0, kByteOrderMark.size());
        status_.SetLine(++lineNumber_);
        try {
            Execute(line);
        } catch (const std::exception& e) {
            status_.Fail(e.what());
        }
        ui_.Observer().WriteNewReportRuns();
    }
    if (script_.bad() && !status_.Failed())
        status_.Fail("não foi possível ler o script.");
}

void Interpreter::RunModal(const std::function<bool()>& closed) {
    RunLines(closed);
    if (!status_.Failed() && !closed())
        status_.Fail("o script terminou com a janela modal aberta; feche-a com close.");
    if (status_.Failed())
        hostfw::Abort();  // leaves the modal window and the entry routine quietly
}

void Interpreter::Execute(const std::string& line) {
    if (beforeFirstAction_ && IsActingLine(line))
        std::exchange(beforeFirstAction_, nullptr)();
    ScriptContext context{ui_, module_, screen_};
    ExecuteScriptLine(context, line);
}

void Interpreter::CheckUnusedAnswers() {
    const std::vector<std::string> unused = ui_.UnusedAnswers();
    if (unused.empty())
        return;
    std::string list;
    for (const std::string& answer : unused)
        list += (list.empty() ? "" : "; ") + answer;
    status_.SetLine(0);
    status_.Fail("respostas que nenhum diálogo usou: " + list + ".");
}

}  // namespace host
