#include "host/report/gui_application.h"

#include <QGuiApplication>
#include <mutex>

namespace hostfw {
namespace {

QtMessageHandler qtDefaultHandler = nullptr;

// Qt's own notices (a missing XDG_RUNTIME_DIR, say) mean nothing to the user of a headless
// report and would land among the host's output; anything critical still goes through.
void QuietQtNotices(QtMsgType type, const QMessageLogContext& context, const QString& message) {
    if ((type == QtCriticalMsg || type == QtFatalMsg) && qtDefaultHandler != nullptr)
        qtDefaultHandler(type, context, message);
}

}  // namespace

void EnsureGuiApplication() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (QCoreApplication::instance() != nullptr)
            return;
        // The library's own application only lays out fonts and PDF pages, which need no
        // window system: always "offscreen", so an unusable DISPLAY cannot abort the process.
        // Qt keeps references to argc and argv for the application's whole life.
        static int argc = 3;
        static char name[] = "hostfw";
        static char platformOption[] = "-platform";
        static char platform[] = "offscreen";
        static char* argv[] = {name, platformOption, platform, nullptr};
        qtDefaultHandler = qInstallMessageHandler(QuietQtNotices);
        // Never deleted: destroying it while static destructors run can crash Qt, and the
        // process ends right after.
        new QGuiApplication(argc, argv);
    });
}

}  // namespace hostfw
