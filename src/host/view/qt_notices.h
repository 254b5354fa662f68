#pragma once

#include "hostfw_view_export.h"

namespace hostfw::view {

// Keeps Qt's notices about the platform it runs on (an offscreen screen that has no window
// manager to tell size hints to, a missing runtime folder) out of the program's error output,
// where they would clutter every transcript; any other message of Qt goes through as before.
HOSTFW_VIEW_EXPORT void QuietPlatformNotices();

}  // namespace hostfw::view
