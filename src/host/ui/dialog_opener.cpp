#include "host/ui/dialog_opener.h"

#include "host/ui/application.h"
#include "host/ui/host_context.h"

namespace hostfw {

// A nested action (a click inside a dialog) opens its own scope and gives the outer one back
// when it ends.
DialogOpenerScope::DialogOpenerScope(TControl& control)
    : application_(HostContextOf(control).Application()), previous_(application_.DialogOpener()) {
    application_.SetDialogOpener(&control);
}

DialogOpenerScope::~DialogOpenerScope() {
    application_.SetDialogOpener(previous_);
}

void KeepPickedKeys(TApplication& application, const std::vector<std::string>& keys) {
    TControl* opener = application.DialogOpener();
    if (opener == nullptr)
        return;
    if (TCustomForm* form = GetParentForm(*opener))
        form->KeepPickedList({opener->Name(), keys});
}

}  // namespace hostfw
