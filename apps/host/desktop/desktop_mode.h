#pragma once

#include "command_line/host_options.h"

namespace host {

// The desktop application: the main window on the session of the options, until it is
// closed. 2 when no window can be opened here (the reason goes to standard error).
int RunDesktopMode(const HostOptions& options, int argc, char** argv);

// A UI script through the real windows (--gui): the same transcript and exit status as a
// headless run, every expectation checked on the screen too.
int RunGuiScriptMode(const HostOptions& options, int argc, char** argv);

}  // namespace host
