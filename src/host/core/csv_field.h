#pragma once

#include <string>
#include <string_view>

#include "hostfw_export.h"

namespace hostfw {

// One CSV field as RFC 4180 writes it: quoted, with inner quotes doubled, when it holds the
// separator (a comma, or the semicolon of Brazilian spreadsheets), a quote or a line break; as
// is otherwise. Text a spreadsheet would run as a formula is led by an apostrophe.
HOSTFW_EXPORT std::string CsvField(std::string_view text, char separator = ',');
// The same, added to the end of `out` (a record being built).
HOSTFW_EXPORT void AppendCsvField(std::string& out, std::string_view text, char separator = ',');

}  // namespace hostfw
