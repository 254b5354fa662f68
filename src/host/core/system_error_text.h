#pragma once

#include <string>

#include "hostfw_export.h"

namespace hostfw {

// A system error number as a short Portuguese text for a user's message.
HOSTFW_EXPORT std::string SystemErrorText(int error);

}  // namespace hostfw
