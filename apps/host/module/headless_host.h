#pragma once

#include <filesystem>
#include <functional>
#include <istream>
#include <optional>
#include <ostream>

#include "module/module_host.h"
#include "scripts/interpreter.h"
#include "scripts/run_status.h"
#include "scripts/scripted_ui.h"
#include "scripts/transcript.h"

namespace host {

// The host without a screen: the scripted UI installed in the context's application, the
// package loaded for that context, and everything put away again in the right order (windows
// before the package that holds their code, the UI last).
class HeadlessHost {
public:
    HeadlessHost(hostfw::HostContext& context, const std::filesystem::path& package,
                 std::ostream& transcript);
    ~HeadlessHost();
    HeadlessHost(const HeadlessHost&) = delete;
    HeadlessHost& operator=(const HeadlessHost&) = delete;

    ScriptedUi& Ui() { return ui_; }
    hostfw::HostContext& Context() { return context_; }
    const RunStatus& Status() const { return status_; }

    // Runs a script to its end or its first failure; true when every line passed.
    bool Run(std::istream& script);
    // Runs one step with what a script's line works with; true when it passed.
    bool Run(const std::function<void(ScriptContext&)>& step);

private:
    hostfw::HostContext& context_;
    RunStatus status_;
    Transcript transcript_;
    ScriptedUi ui_;
    std::optional<ModuleHost> module_;
};

}  // namespace host
