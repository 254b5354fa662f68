#pragma once

#include "command_line/host_options.h"
#include "host/session/session.h"

namespace host {

// Sets the session from the command line. The report subcommand types the branch into the
// form, so its session starts without one and unbound.
void ApplySessionOptions(const HostOptions& options, hostfw::SessionSettings& session);

}  // namespace host
