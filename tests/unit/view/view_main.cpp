// The view's tests need a QApplication set up as the desktop's; they run without a display
// (offscreen).
#include <gtest/gtest.h>

#include <QApplication>
#include <cstdlib>

#include "host/view/desktop_setup.h"
#include "host/view/qt_notices.h"

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    hostfw::view::QuietPlatformNotices();
    QApplication application(argc, argv);
    hostfw::view::SetUpDesktop();
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
