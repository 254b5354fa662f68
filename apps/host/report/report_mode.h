#pragma once

#include "command_line/host_options.h"

namespace host {

// The report subcommand: fills the form through the same user actions a person uses, runs
// the report in the chosen format and writes it where asked. 0 when the report came out;
// 1 with the form's own message on standard error when the form refused.
int RunReportMode(const HostOptions& options);

}  // namespace host
