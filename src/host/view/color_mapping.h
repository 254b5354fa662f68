#pragma once

#include <QColor>
#include <QPalette>
#include <optional>

#include "host/ui/graphics.h"

namespace hostfw::view {

// A stored colour as this screen shows it: system colours through the palette (the info-tip
// background stays the info-tip background), plain colours as they are. Nothing for the
// button face, which every container already has.
std::optional<QColor> ScreenColor(TColor color, const QPalette& palette);

}  // namespace hostfw::view
