#pragma once

#include <string>

#include "db/demodb_options.h"
#include "host/data/engine.h"

namespace demodb {

// Creates the shared database's tables and fills them as the options ask, in one
// transaction: a failure leaves the database as it was. With force, the shared database's
// own tables are dropped first; without it, a database that holds any table is refused.
void BuildSharedDatabase(hostfw::Engine& engine, const DemodbOptions& options);

// What the tool says once the database is ready.
std::string ReadyMessage(const DemodbOptions& options);

}  // namespace demodb
