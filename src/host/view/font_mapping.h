#pragma once

#include <QFont>

#include "host/ui/graphics.h"

namespace hostfw::view {

// The stored font on this machine: its family mapped to an installed sans font, the same
// pixel height (scaled for the screen), bold kept.
QFont ScreenFont(const TFont& font);

}  // namespace hostfw::view
