#pragma once

#include <functional>
#include <map>
#include <string>

#include "host/core/variant.h"
#include "host/report/text_template.h"

namespace hostfw {

// Status letter to its text, as the definition lists them ("P" -> "Pendente", ...).
using StatusTexts = std::map<std::string, std::string, std::less<>>;

// The text of one template field: the value in its format. `argument` is the value of the
// field named in parentheses (the document kind, the selection flag), Empty otherwise.
std::string FormatValue(ValueFormat format, const Variant& value, const Variant& argument,
                        const StatusTexts& statusTexts);

}  // namespace hostfw
