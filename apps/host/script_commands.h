#pragma once

#include <span>
#include <string_view>

#include "module_host.h"
#include "script_arguments.h"
#include "script_screen.h"
#include "scripted_ui.h"

namespace host {

// What a command line works with.
struct ScriptContext {
    ScriptedUi& ui;
    ModuleHost& module;
    ScriptScreen& screen;
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

}  // namespace host
