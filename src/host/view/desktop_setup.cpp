#include "host/view/desktop_setup.h"

#include <QAccessible>
#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include "host/view/focus_style.h"
#include "host/view/speed_button_accessible.h"

namespace hostfw::view {
namespace {

// Qt's own texts in `language`, from Qt's translations package (qtbase holds the widgets, the
// standard dialogs and the print dialog).
bool InstallQtTranslations(const QString& language) {
    if (language.startsWith(QStringLiteral("en")))
        return true;
    auto* translator = new QTranslator(qApp);
    if (!translator->load(QStringLiteral("qtbase_") + language,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        delete translator;
        return false;
    }
    QApplication::installTranslator(translator);
    return true;
}

}  // namespace

bool SetUpDesktop(const std::string& language) {
    QApplication::setStyle(new FocusStyle);
    QAccessible::installFactory(ViewAccessibleFactory);
    const QString name = QString::fromStdString(language);
    // Dates, numbers and the calendar's names as the language writes them.
    QLocale::setDefault(QLocale(name));
    return InstallQtTranslations(name);
}

}  // namespace hostfw::view
