#pragma once

#include <memory>

#include "hostfw_export.h"

namespace hostfw {

class Engine;

// The shared database of the session, opened on first use and again after the session's
// database setting changes.
HOSTFW_EXPORT std::shared_ptr<Engine> SharedDatabase();
// Drops the open connection (the host does it before it changes the setting or exits).
HOSTFW_EXPORT void CloseSharedDatabase();

}  // namespace hostfw
