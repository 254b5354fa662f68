#pragma once

#include <string>

#include "hostfw_export.h"

namespace hostfw {

class TComponent;

// Shows an error message through the UI of the component's context and waits for the user;
// with abort it then raises the silent abort, which ends the calling handler without a second
// message.
HOSTFW_EXPORT void MensErro(const TComponent& from, const std::string& text, bool abort);

}  // namespace hostfw
