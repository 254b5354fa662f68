#include "host/services/wait_animation.h"

#include <string>

#include "host/ui/application.h"
#include "host/ui/host_ui.h"

namespace hostfw {
namespace {
bool shown = false;
}

void ActiveShowAvi(TCustomForm* form, int kind) {
    if (shown)
        return;
    shown = true;
    Application().Ui().WaitAnimationChanged(form, true);
    // A window shows the animation itself: nothing to read for a person.
    Application().Ui().Notify({"animation: shown (kind " + std::to_string(kind) +
                                   (form ? ", over " + form->Name() : std::string()) + ")",
                               ""});
}

void DeactiveShowAvi() {
    if (!shown)
        return;
    shown = false;
    Application().Ui().WaitAnimationChanged(nullptr, false);
    Application().Ui().Notify({"animation: hidden", ""});
}

bool ShowAviActive() {
    return shown;
}

}  // namespace hostfw
