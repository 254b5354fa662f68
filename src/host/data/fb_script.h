#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace hostfw {

// The statements of a Firebird script as isql reads it: each ends at ";" outside literals and
// comments, or at the terminator a "SET TERM ^ ;" line chose, so that the body of a trigger or
// procedure may hold ";" of its own. SET TERM lines and empty statements are not returned.
std::vector<std::string> ScriptStatements(std::string_view script);

}  // namespace hostfw
