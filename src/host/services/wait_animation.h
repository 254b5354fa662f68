#pragma once

#include "hostfw_export.h"

namespace hostfw {

class TCustomForm;

// The wait animation over a form while a long call runs. Hiding it when none is shown
// does nothing, so clean-up paths may hide it twice.
HOSTFW_EXPORT void ActiveShowAvi(TCustomForm* form, int kind);
HOSTFW_EXPORT void DeactiveShowAvi();
HOSTFW_EXPORT bool ShowAviActive();

}  // namespace hostfw
