#include "host/services/wait_animation.h"

#include <string>

#include "host/ui/host_context.h"
#include "host/ui/host_observer.h"

namespace hostfw {

void ActiveShowAvi(HostContext& context, TCustomForm* form, int kind) {
    if (context.WaitAnimationShown())
        return;
    context.SetWaitAnimationShown(true);
    HostObserver& observer = context.Application().Observer();
    observer.WaitAnimationChanged(form, true);
    // A window shows the animation itself: nothing to read for a person.
    observer.Notify({"animation: shown (kind " + std::to_string(kind) +
                         (form ? ", over " + form->Name() : std::string()) + ")",
                     ""});
}

void DeactiveShowAvi(HostContext& context) {
    if (!context.WaitAnimationShown())
        return;
    context.SetWaitAnimationShown(false);
    HostObserver& observer = context.Application().Observer();
    observer.WaitAnimationChanged(nullptr, false);
    observer.Notify({"animation: hidden", ""});
}

bool ShowAviActive(const HostContext& context) {
    return context.WaitAnimationShown();
}

}  // namespace hostfw
