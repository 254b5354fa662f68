#pragma once

namespace hostfw {

// Fonts and PDF output need a QGuiApplication. The library creates one the first time it is
// needed, unless the host already has one; its own runs on Qt's "offscreen" platform.
// Call from the thread that runs the host's event loop.
void EnsureGuiApplication();

}  // namespace hostfw
