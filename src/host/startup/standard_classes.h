#pragma once

#include "hostfw_export.h"

namespace hostfw {

// Registers every class of the framework that a stored definition may name, and the shared
// database module it may refer to. Runs once.
HOSTFW_EXPORT void RegisterStandardClasses();

}  // namespace hostfw
