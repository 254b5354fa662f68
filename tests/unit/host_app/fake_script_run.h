#pragma once

#include <sstream>
#include <string>

#include "module/headless_host.h"

namespace host {

// The outcome of a script run against the stand-in package.
struct ScriptRun {
    bool passed = false;
    std::string transcript;  // including what closing the windows at the end showed
    std::string failure;     // "linha N: ..." when the run failed
};

// Runs under `context`, whose session the test may set before and read after.
inline ScriptRun RunFakeScript(hostfw::HostContext& context, const std::string& script) {
    ScriptRun run;
    std::ostringstream transcript;
    {
        HeadlessHost host(context, FAKE_PACKAGE, transcript);
        std::istringstream lines(script);
        run.passed = host.Run(lines);
        if (!run.passed)
            run.failure = DescribeFailure(*host.Status().Failure());
    }
    run.transcript = transcript.str();
    return run;
}

// Runs under a context of its own.
inline ScriptRun RunFakeScript(const std::string& script) {
    hostfw::HostContext context;
    return RunFakeScript(context, script);
}

}  // namespace host
