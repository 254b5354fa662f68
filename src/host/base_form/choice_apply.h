#pragma once

#include <string>
#include <vector>

#include "host/base_form/choice_actions.h"
#include "host/base_form/form_choice.h"
#include "host/core/date_time.h"
#include "host/ui/form.h"
#include "hostfw_export.h"

namespace hostfw {

// Sets the whole form to `choice` through `actions`, as a person would: in the order of the
// stored definitions, each control that differs is typed over (erased first, blanks kept),
// clicked or chosen, and each list's opener clicked with its dialog answered; a control the
// form keeps switched off is left as the form has it. A control enabled only by a later one
// is set in a second round. Date rules are counted from `today`. Returns a notice for each
// control or opener of the choice the form no longer has (or has as another kind).
HOSTFW_EXPORT std::vector<std::string> ApplyFormChoice(TCustomForm& form, const FormChoice& choice,
                                                       ChoiceActions& actions, TDateTime today);

}  // namespace hostfw
