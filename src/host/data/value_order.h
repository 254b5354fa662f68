#pragma once

#include <string>

#include "host/data/engine.h"

namespace hostfw {

// The ORDER BY keys that sort a text column as a person reads its values, on `engine`: blanks
// first, then texts of digits by their number (client codes "2" before "10"), then every other
// text in the database's own order; `descending` turns the whole order round. `quotedColumn`
// is an identifier already quoted, never a value.
std::string ValueOrderBy(const std::string& quotedColumn, EngineKind engine, bool descending);

}  // namespace hostfw
