#pragma once

#include "hostfw_export.h"

namespace hostfw {

class HostContext;
class TCustomForm;

// The wait animation over a form of the context while a long call runs; each context has its
// own. Hiding it when none is shown does nothing, so clean-up paths may hide it twice.
HOSTFW_EXPORT void ActiveShowAvi(HostContext& context, TCustomForm* form, int kind);
HOSTFW_EXPORT void DeactiveShowAvi(HostContext& context);
HOSTFW_EXPORT bool ShowAviActive(const HostContext& context);

}  // namespace hostfw
