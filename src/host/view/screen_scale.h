#pragma once

#include "hostfw_view_export.h"

namespace hostfw::view {

// Stored definitions place controls in pixels at 96 dots per inch; the screen may have more.
HOSTFW_VIEW_EXPORT double ScreenScale();
HOSTFW_VIEW_EXPORT int Scaled(int designPixels);

}  // namespace hostfw::view
