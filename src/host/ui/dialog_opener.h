#pragma once

#include <string>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

class TApplication;
class TControl;

// The control a person's click or key is acting on while that action runs. A dialog opened
// meanwhile is that control's: its answer is kept by the control's form, so a choice can name
// the list by the control that opened it, whatever the form calls its variables.
class HOSTFW_EXPORT DialogOpenerScope {
public:
    explicit DialogOpenerScope(TControl& control);
    ~DialogOpenerScope();
    DialogOpenerScope(const DialogOpenerScope&) = delete;
    DialogOpenerScope& operator=(const DialogOpenerScope&) = delete;

private:
    TApplication& application_;
    TControl* previous_;
};

// The keys of the rows a person picked in a list dialog of the application, just answered:
// kept by the form of the control whose action opened it. Without such a control (a dialog
// opened by code of its own) nothing is kept.
HOSTFW_EXPORT void KeepPickedKeys(TApplication& application, const std::vector<std::string>& keys);

}  // namespace hostfw
