#pragma once

#include <QWidget>

#include "host/ui/form.h"
#include "host/view/control_view.h"

namespace hostfw::view {

// The widget of a control's kind, inside `parent`; nullptr for a kind with nothing to show.
ControlView* MakeControlView(TControl& control, QWidget* parent);

}  // namespace hostfw::view
