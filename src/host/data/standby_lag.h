#pragma once

#include <chrono>

#include "host/data/engine.h"
#include "hostfw_export.h"

namespace hostfw {

// Whether a PostgreSQL streaming standby has replayed the primary's work of less than `bound`
// ago (now() - pg_last_xact_replay_timestamp() on the standby): recent enough for report reads.
// A server that is not in recovery (a primary, a promoted standby) has no replay moment and is
// never "recent". Raises as the connection's queries do.
HOSTFW_EXPORT bool StandbyWithinLag(Engine& standby, std::chrono::seconds bound);

}  // namespace hostfw
