#pragma once

#include <ostream>

#include "admin_options.h"

namespace hostfw {
class Engine;
}

namespace admin {

// audit: the audit rows, oldest first, from --since on and of --user only when given; as a
// readable listing or, with --csv, as CSV with a header line.
void ListAudit(hostfw::Engine& engine, const AdminCommand& command, std::ostream& out);

}  // namespace admin
