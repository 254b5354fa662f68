#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "hostfw_export.h"

namespace hostfw {

// What keeps a statement from being one query that only reads (SELECT, or WITH ... SELECT),
// as a Portuguese text for a message; nothing when it is one. The text is judged as written,
// outside literals and comments; the database still refuses any write when such a query runs
// (Engine::BeginReadOnlyTransaction).
HOSTFW_EXPORT std::optional<std::string> SingleQueryProblem(std::string_view sql);

}  // namespace hostfw
