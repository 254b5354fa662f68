#include "host/report/pdf_fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include "host/core/exception.h"
#include "host/report/gui_application.h"

namespace hostfw {
namespace {

constexpr const char* kFontFolder = "/usr/share/fonts/truetype/dejavu/";

QString LoadFamily() {
    EnsureGuiApplication();
    QString family;
    for (const char* file : {"DejaVuSans.ttf", "DejaVuSans-Bold.ttf"}) {
        const QString path = QString::fromUtf8(kFontFolder) + QString::fromUtf8(file);
        const int id = QFontDatabase::addApplicationFont(path);
        const QStringList families =
            id < 0 ? QStringList() : QFontDatabase::applicationFontFamilies(id);
        if (families.isEmpty()) {
            throw Exception("Fonte " + path.toStdString() +
                            " não encontrada: instale o pacote fonts-dejavu-core.");
        }
        family = families.front();
    }
    return family;
}

}  // namespace

QString DejaVuSansFamily() {
    static const QString family = LoadFamily();
    return family;
}

}  // namespace hostfw
