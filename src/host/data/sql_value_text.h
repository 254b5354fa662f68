#pragma once

#include <optional>
#include <string>

#include "host/core/date_time.h"
#include "host/core/variant.h"

namespace hostfw {

// "yyyy-mm-dd hh:mm:ss", rounded to the nearest second (23:59:59.7 is the next day).
std::string SqlDateTimeText(TDateTime value);

// A parameter value as text, for engines that take every parameter as text; nullopt is NULL.
// Booleans are 1/0 and numbers round-trip exactly.
std::optional<std::string> SqlParameterText(const Variant& value);

}  // namespace hostfw
