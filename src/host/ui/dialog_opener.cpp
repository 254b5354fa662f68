#include "host/ui/dialog_opener.h"

#include "host/ui/form.h"

namespace hostfw {
namespace {

// Actions run one at a time on the event loop's thread; a nested one (a click inside a dialog)
// opens its own scope and gives the outer one back when it ends.
thread_local TControl* currentOpener = nullptr;

}  // namespace

DialogOpenerScope::DialogOpenerScope(TControl& control) : previous_(currentOpener) {
    currentOpener = &control;
}

DialogOpenerScope::~DialogOpenerScope() {
    currentOpener = previous_;
}

void KeepPickedKeys(const std::vector<std::string>& keys) {
    if (currentOpener == nullptr)
        return;
    if (TCustomForm* form = GetParentForm(*currentOpener))
        form->KeepPickedList({currentOpener->Name(), keys});
}

}  // namespace hostfw
