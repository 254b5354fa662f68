#pragma once

#include "db/demodb_options.h"

namespace demodb {

// Builds the shared database on Firebird, embedded or on a server, creating the database when
// it does not exist. An embedded file this run created is removed again when the build fails or
// is interrupted, so such a run leaves nothing half-built behind.
void BuildFirebirdDatabase(const DemodbOptions& options);

}  // namespace demodb
