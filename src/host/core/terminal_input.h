#pragma once

#include <optional>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

// Asks on the controlling terminal (/dev/tty, so a script on standard input does not answer)
// for a line typed without echo, as a password is. nullopt when there is no terminal.
HOSTFW_EXPORT std::optional<std::string> AskHiddenOnTerminal(const std::string& prompt);

}  // namespace hostfw
