#pragma once

#include <functional>
#include <string>

#include "db/demodb_options.h"
#include "host/data/engine.h"

namespace demodb {

// Creates the shared database's tables and fills them as the options ask, in one
// transaction: a failure leaves the database as it was. With force, the shared database's
// own tables are dropped first, unless the database is set up for shared use (refused then);
// without it, a database that holds any table is refused.
// Firebird cannot fill a table in the transaction that created it: there the tables are
// created first, and a failed fill drops them again (with force, the old ones stay dropped).
void BuildSharedDatabase(hostfw::Engine& engine, const DemodbOptions& options);

// Fills the shared tables with rows.
using RowFiller = std::function<void()>;

// The shared tables, made afresh (dropped first with dropFirst), filled by `fill` and indexed, in
// one transaction; on Firebird in the steps BuildSharedDatabase says.
void BuildSharedTables(hostfw::Engine& engine, bool dropFirst, const RowFiller& fill);

// What the tool says once the database is ready.
std::string ReadyMessage(const DemodbOptions& options);

}  // namespace demodb
