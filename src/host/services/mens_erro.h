#pragma once

#include <string>

#include "hostfw_export.h"

namespace hostfw {

// Shows an error message and waits for the user; with abort it then raises the silent
// abort, which ends the calling handler without a second message.
HOSTFW_EXPORT void MensErro(const std::string& text, bool abort);

}  // namespace hostfw
