#pragma once

#include "command_line/host_options.h"

namespace host {

// Sets the host session from the command line. The report subcommand types the branch into
// the form, so its session starts without one and unbound.
void ApplySessionOptions(const HostOptions& options);

}  // namespace host
