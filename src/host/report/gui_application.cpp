#include "host/report/gui_application.h"

#include <QGuiApplication>
#include <cstdlib>
#include <mutex>

namespace hostfw {

void EnsureGuiApplication() {
    static std::once_flag once;
    std::call_once(once, [] {
        if (QCoreApplication::instance() != nullptr)
            return;
        const bool hasDisplay =
            std::getenv("DISPLAY") != nullptr || std::getenv("WAYLAND_DISPLAY") != nullptr;
        if (!hasDisplay)
            setenv("QT_QPA_PLATFORM", "offscreen", 0);
        // Qt keeps references to argc and argv for the application's whole life.
        static int argc = 1;
        static char name[] = "hostfw";
        static char* argv[] = {name, nullptr};
        // Never deleted: destroying it while static destructors run can crash Qt, and the
        // process ends right after.
        new QGuiApplication(argc, argv);
    });
}

}  // namespace hostfw
