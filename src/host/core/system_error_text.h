#pragma once

#include <string>

namespace hostfw {

// A system error number as a short Portuguese text for a user's message.
std::string SystemErrorText(int error);

}  // namespace hostfw
