#pragma once

#include <span>
#include <string>
#include <string_view>

#include "module/module_host.h"
#include "scripts/script_arguments.h"
#include "scripts/script_screen.h"
#include "scripts/scripted_ui.h"

namespace host {

// What a command line works with.
struct ScriptContext {
    ScriptedUi& ui;
    ModuleHost& module;
    ScriptScreen& screen;

    // The application whose forms the lines act on: the module's context's.
    hostfw::TApplication& Application() const { return module.Application(); }
};

// One kind of script line: its first word, how it is written, and what it does.
struct ScriptCommand {
    std::string_view verb;
    std::string_view usage;
    void (*run)(ScriptContext& context, ArgumentReader& arguments);
};

// User actions and settings: session, open, close, activate, reload, focus, type, key,
// click, select, date, check.
std::span<const ScriptCommand> ActionCommands();
// Answers to later dialogs: pick, choose, answer.
std::span<const ScriptCommand> AnswerCommands();
// expect KIND ...: the kinds of expectation.
std::span<const ScriptCommand> Expectations();

// The command of a line's first word; nullptr when there is none.
const ScriptCommand* FindCommand(std::string_view verb);

// Whether the line does something (an action or an expectation), rather than answer a dialog
// in advance or say nothing (a blank line, a comment).
bool IsActingLine(const std::string& line);

// Runs one line of a script. Raises ScriptError for a line that cannot run as written.
void ExecuteScriptLine(ScriptContext& context, const std::string& line);

// preset save|apply|rename|delete|share|private: saved choices of the live form.
void RunPresetLine(ScriptContext& context, ArgumentReader& arguments);
// expect preset "NAME" [shared|private]: the person has a saved choice of that name.
void ExpectPreset(ScriptContext& context, ArgumentReader& arguments);
// expect presets "NAME" ...|none: exactly these, in order, are the choices the person may apply.
void ExpectPresets(ScriptContext& context, ArgumentReader& arguments);

}  // namespace host
