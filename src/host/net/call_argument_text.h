#pragma once

#include <string>
#include <vector>

#include "host/core/variant.h"
#include "hostfw_export.h"

namespace hostfw {

// A call argument written as a script writes a value: "text" in double quotes with the escapes
// \" \\ \n \t; date(YYYY-MM-DD), or date(YYYY-MM-DD hh:mm:ss) when the time of day (rounded to
// the second) is not midnight; an integer; a number in its shortest exact form; true/false;
// null for an empty or null value. A date outside the years 1 to 9999 is written as its
// number of days, since no calendar date can name it.
HOSTFW_EXPORT std::string CallArgumentText(const Variant& value);

// "name(arg1, arg2, ...)", each argument as above.
HOSTFW_EXPORT std::string CallText(const std::string& method, const std::vector<std::string>& args);

}  // namespace hostfw
