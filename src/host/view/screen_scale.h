#pragma once

namespace hostfw::view {

// Stored definitions place controls in pixels at 96 dots per inch; the screen may have more.
double ScreenScale();
int Scaled(int designPixels);

}  // namespace hostfw::view
