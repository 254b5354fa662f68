#pragma once

#include <functional>
#include <istream>
#include <string>

#include "module/module_host.h"
#include "scripts/run_status.h"
#include "scripts/script_commands.h"
#include "scripts/script_screen.h"
#include "scripts/scripted_ui.h"

namespace host {

// Runs a UI script line by line. A modal window runs the lines that follow it until it
// closes, so one line source serves every level of the loop. The run stops at the first
// line that fails; the status holds why.
class Interpreter {
public:
    // Without a screen the actions go straight to the toolkit.
    Interpreter(std::istream& script, ScriptedUi& ui, ModuleHost& module,
                ScriptScreen* screen = nullptr);
    ~Interpreter();
    Interpreter(const Interpreter&) = delete;
    Interpreter& operator=(const Interpreter&) = delete;

    void Run();
    // Runs `step` as one line of a script is run: a failure ends the run with its reason, and
    // an answer it left that no dialog took fails it too.
    void RunStep(const std::function<void(ScriptContext&)>& step);
    // Runs once, just before the first line that acts: what must wait for the script's
    // answers (the sign-in dialog of a run with windows).
    void SetBeforeFirstAction(std::function<void()> step) { beforeFirstAction_ = std::move(step); }

private:
    void RunLines(const std::function<bool()>& stop);
    void RunModal(const std::function<bool()>& closed);
    void Execute(const std::string& line);
    void CheckUnusedAnswers();

    std::istream& script_;
    ScriptedUi& ui_;
    ModuleHost& module_;
    ScriptScreen modelOnly_;
    ScriptScreen& screen_;
    RunStatus& status_;
    int lineNumber_ = 0;
    std::function<void()> beforeFirstAction_;
};

}  // namespace host
