#pragma once

#include <memory>

#include "host/data/engine.h"
#include "hostfw_export.h"

namespace hostfw {

// Drops a cursor before its last row: a statement still producing rows is stopped in the
// database first, so nothing waits for rows nobody will read and the connection is free at
// once.
HOSTFW_EXPORT void AbandonRows(Engine& engine, std::unique_ptr<Cursor> rows);

}  // namespace hostfw
