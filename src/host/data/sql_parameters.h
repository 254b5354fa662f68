#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

enum class EngineKind;

// The named parameters (":P_NAME") a statement declares, without the colon, in order of
// first appearance; a name met again in another letter case is the same parameter, as in
// TParams. Text inside string literals, quoted identifiers and comments, as the engine quotes
// them, is skipped, and "::" (a PostgreSQL cast) is not a parameter.
HOSTFW_EXPORT std::vector<std::string> DeclaredParameters(std::string_view sql, EngineKind engine);

// The PostgreSQL statement with every named parameter replaced by "$n", n being the
// parameter's position in DeclaredParameters(sql); a repeated name keeps its number.
HOSTFW_EXPORT std::string NumberedParameters(std::string_view sql);

// A statement whose parameters are all "?": `names[i]` is the parameter the i-th "?" stands
// for, so a name used in three places is bound three times.
struct PositionalStatement {
    std::string text;
    std::vector<std::string> names;
};

// The Firebird statement with every named parameter replaced by "?" (it binds by position).
HOSTFW_EXPORT PositionalStatement PositionalParameters(std::string_view sql);

}  // namespace hostfw
