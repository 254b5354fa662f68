#pragma once

#include "hostfw_export.h"

namespace hostfw {

// How a database is named on the command line (the forms EngineOf tells apart), for the help
// text of every program.
HOSTFW_EXPORT extern const char* const kDatabaseNamesHelp;

}  // namespace hostfw
