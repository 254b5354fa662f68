#pragma once

#include <optional>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

// The system's default printer as CUPS names it (the person's own default first, then the
// server's); nothing when there is none or no print server answers.
HOSTFW_EXPORT std::optional<std::string> DefaultPrinter();

}  // namespace hostfw
