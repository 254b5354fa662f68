#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "hostfw_export.h"

namespace hostfw {

enum class EngineKind;

// What keeps a statement from being one query that only reads (SELECT, or WITH ... SELECT), as
// a Portuguese text for a message; nothing when it is one. The text is judged as the engine reads
// it, outside literals and comments: besides writing words, a function whose effect reaches past
// the transaction (dblink and its kind, the server's files, large objects, session locks) is
// refused by name. The database still refuses any write when such a query runs
// (Engine::BeginReadOnlyTransaction).
HOSTFW_EXPORT std::optional<std::string> SingleQueryProblem(std::string_view sql,
                                                            EngineKind engine);

}  // namespace hostfw
