#pragma once

#include <optional>
#include <string>

#include "choices/saved_choice.h"
#include "module/module_host.h"

namespace host {

// What the live report form shows now, as a saved choice: the branch typed (in a free session),
// the variant, the dates as typed or, when `period` names a date rule, that rule, the status
// boxes that can be changed, and each list the person picked from. Read from the controls and
// the module's lists; nothing is changed.
SavedChoice CaptureChoices(const ModuleHost& module, const std::optional<std::string>& period);

// The report code of the live form (the caption of lblCodRel): which report a choice is for.
std::string LiveReportCode();

}  // namespace host
