#pragma once

namespace hostfw {

// Fonts and PDF output need a QGuiApplication. The library creates one the first time it is
// needed, unless the host already has one; with no display, Qt runs on its "offscreen"
// platform. Call from the thread that runs the host's event loop.
void EnsureGuiApplication();

}  // namespace hostfw
