#pragma once

#include "db/demodb_options.h"

namespace demodb {

// Builds the shared database as a new SQLite file at options.database. The file is written
// under a temporary name in the same folder and takes its name only when complete, so a
// failed or interrupted run leaves nothing half-built behind. An existing file is never
// touched unless options.force asks to replace it, and even then only an empty file or a
// SQLite database is replaced.
void BuildSqliteDemoFile(const DemodbOptions& options);

}  // namespace demodb
