#pragma once

#include <string>

#include "hostfw_export.h"

namespace hostfw {

// The operating-system login running this process: who works on the embedded default, where
// nobody signs in.
HOSTFW_EXPORT std::string SystemLogin();

}  // namespace hostfw
