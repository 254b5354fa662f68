#pragma once

#include "command_line/host_options.h"

namespace host {

// Runs the UI script the options name. 0 when every line passed, 1 when one failed (the
// failure goes to standard error). Raises for what keeps the run from starting.
int RunScriptMode(const HostOptions& options);

}  // namespace host
