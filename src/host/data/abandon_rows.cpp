#include "host/data/abandon_rows.h"

#include <chrono>

namespace hostfw {

void AbandonRows(Engine& engine, std::unique_ptr<Cursor> rows) {
    // A deadline already passed is the engines' one way to stop a running statement (SQLite's
    // progress handler, PostgreSQL's cancel request); the caller's own deadline comes back after.
    const QueryDeadline kept = engine.Deadline();
    engine.SetDeadline(std::chrono::steady_clock::time_point::min());
    rows.reset();
    engine.SetDeadline(kept);
}

}  // namespace hostfw
