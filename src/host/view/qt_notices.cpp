#include "host/view/qt_notices.h"

#include <QString>
#include <QtGlobal>
#include <array>

namespace hostfw::view {
namespace {

// What the offscreen platform and a bare session say on every run, harmless for this program.
constexpr std::array<const char*, 3> kPlatformNotices = {
    "This plugin does not support propagateSizeHints()",
    "This plugin does not support raise()",
    "QStandardPaths: XDG_RUNTIME_DIR not set",
};

QtMessageHandler previousHandler = nullptr;

void DropPlatformNotices(QtMsgType type, const QMessageLogContext& context,
                         const QString& message) {
    if (type == QtWarningMsg || type == QtInfoMsg || type == QtDebugMsg) {
        for (const char* notice : kPlatformNotices) {
            if (message.startsWith(QLatin1String(notice)))
                return;
        }
    }
    previousHandler(type, context, message);
}

}  // namespace

void QuietPlatformNotices() {
    if (previousHandler == nullptr)
        previousHandler = qInstallMessageHandler(DropPlatformNotices);
}

}  // namespace hostfw::view
