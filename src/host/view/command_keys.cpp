#include "host/view/command_keys.h"

#include <array>
#include <string_view>

namespace hostfw::view {
namespace {

struct CommandButtonKey {
    std::string_view button;
    QKeyCombination key;
};

// The base report form's command buttons, by the names its definition gives them.
constexpr std::array<CommandButtonKey, 4> kCommandButtons = {{
    {"sbtPreview", keys::kPreview},
    {"sbtPrint", keys::kPrint},
    {"sbtSalvarComo", keys::kSaveAs},
    {"sbtReportEdit", keys::kEdit},
}};

}  // namespace

QString KeyText(QKeyCombination key) {
    return QKeySequence(key).toString(QKeySequence::NativeText);
}

QKeySequence CommandKeyOf(const TControl& control) {
    for (const CommandButtonKey& command : kCommandButtons) {
        if (control.Name() == command.button)
            return QKeySequence(command.key);
    }
    return {};
}

QString WithKey(const QString& tip, const QString& key) {
    if (key.isEmpty())
        return tip;
    return tip + QStringLiteral(" (") + key + QStringLiteral(")");
}

}  // namespace hostfw::view
