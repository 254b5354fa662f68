#pragma once

#include <cstdint>
#include <string>

#include "host/core/variant.h"
#include "hostfw_export.h"

namespace hostfw {

// Money is added up in whole cents, so a total of a hundred thousand amounts is exact.
// A value reads as cents from a Float (SQLite NUMERIC), an Integer, or a decimal String
// ("1234.5", as PostgreSQL sends NUMERIC); Null and Empty read as zero. Anything else raises.
HOSTFW_EXPORT std::int64_t AmountInCents(const Variant& value);

// 1.234,56 and -0,50: Brazilian thousands and decimal separators, always two decimals.
HOSTFW_EXPORT std::string FormatCents(std::int64_t cents);

// The decimal text ("1234.56") a total travels as among the values a template can show.
HOSTFW_EXPORT std::string CentsToDecimal(std::int64_t cents);

}  // namespace hostfw
