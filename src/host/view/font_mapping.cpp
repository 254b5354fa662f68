#include "host/view/font_mapping.h"

#include <QFontDatabase>
#include <QStringList>
#include <cstdlib>

#include "host/view/screen_scale.h"

namespace hostfw::view {
namespace {

// The families the stored definitions name are Windows fonts; these sans fonts come closest
// in shape and width, in order of preference.
QString InstalledSans() {
    static const QString family = [] {
        const QStringList installed = QFontDatabase::families();
        for (const char* candidate : {"Liberation Sans", "Arimo", "DejaVu Sans"}) {
            if (installed.contains(QString::fromLatin1(candidate)))
                return QString::fromLatin1(candidate);
        }
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

}  // namespace

QFont ScreenFont(const TFont& font) {
    QFont screen(InstalledSans());
    // A negative height counts the characters' own pixels, a positive one the cell's.
    screen.setPixelSize(std::max(1, Scaled(std::abs(font.height))));
    screen.setBold(font.bold);
    return screen;
}

}  // namespace hostfw::view
