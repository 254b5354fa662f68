#pragma once

#include <QString>

#include "host/ui/std_controls.h"
#include "hostfw_view_export.h"

namespace hostfw::view {

// What assistive technology calls a control, from the stored definition alone (nothing there
// changes): a field is named by the label on its left ("Filial"), the second field a label
// serves on its row by that label and "descrição"; a field without a label by its group's
// caption; a button by its caption, or by its hint and its search's title ("Pesquisar
// Cliente"); anything else by its caption. Empty when nothing names it.
HOSTFW_VIEW_EXPORT QString AccessibleNameOf(const TControl& control);

// The label that names a field (the nearest on its left in its row, with no other field
// between); nullptr when none does.
const TLabel* LabelOf(const TControl& field);

}  // namespace hostfw::view
