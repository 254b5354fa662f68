#include "host/view/color_mapping.h"

namespace hostfw::view {

std::optional<QColor> ScreenColor(TColor color, const QPalette& palette) {
    switch (color) {
        case clBtnFace:
            return std::nullopt;
        case clWindow:
            return palette.color(QPalette::Base);
        case clWindowText:
            return palette.color(QPalette::WindowText);
        case clInfoBk:
            return palette.color(QPalette::ToolTipBase);
        case clMenu:
            return palette.color(QPalette::Window);
        default:
            break;
    }
    if (color < 0)  // another system colour: the palette's default stands in
        return std::nullopt;
    // 0x00BBGGRR, as the host toolkit stores a plain colour.
    return QColor(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF);
}

}  // namespace hostfw::view
