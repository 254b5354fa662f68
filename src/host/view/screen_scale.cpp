#include "host/view/screen_scale.h"

#include <QGuiApplication>
#include <QScreen>
#include <cmath>

namespace hostfw::view {
namespace {

constexpr double kDesignDpi = 96.0;

}  // namespace

double ScreenScale() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const double dpi = screen != nullptr ? screen->logicalDotsPerInch() : kDesignDpi;
    return std::max(1.0, dpi / kDesignDpi);
}

int Scaled(int designPixels) {
    return static_cast<int>(std::lround(designPixels * ScreenScale()));
}

}  // namespace hostfw::view
