#pragma once

#include <functional>

#include "host/base_form/form_choice.h"
#include "host/ui/form.h"
#include "hostfw_export.h"

namespace hostfw {

// What the form shows now, as a choice: every edit that takes typing (its text), every check
// box and radio button (checked or not), every combo box (its item), in the order of the
// stored definitions, and every list picked through a dialog whose opener can still be used
// (an opener switched off, as under "Todos", picks nothing now). Nothing is changed.
HOSTFW_EXPORT FormChoice CaptureFormChoice(const TCustomForm& form);

// Every component the form owns, directly or through another it owns, in creation order:
// the stored definitions' order.
HOSTFW_EXPORT void ForEachOwnedComponent(const TComponent& owner,
                                         const std::function<void(TComponent&)>& visit);

}  // namespace hostfw
