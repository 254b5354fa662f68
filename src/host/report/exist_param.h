#pragma once

#include <string>

#include "host/data/params.h"
#include "hostfw_export.h"

namespace hostfw {

// True when the report query's parameter list holds a parameter of that name (letter case
// ignored, as the list does). Names travel as short strings of at most 255 characters, so a
// longer name is never found.
HOSTFW_EXPORT bool ExistParam(const TParams& params, const std::string& name);

}  // namespace hostfw
