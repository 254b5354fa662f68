#pragma once

#include <string>
#include <vector>

namespace hostfw {
class Engine;
}

namespace admin {

// Creates or brings up to date, in one transaction, what shared use needs in a PostgreSQL
// database that holds the shared tables: the roles of people and of the application server,
// the table of people, the privileges, the row-level security of invoices and shipping entries,
// the insert-only audit and its checks of what people add, and the revoking of functions that
// act outside a report's transaction. On a Firebird server the same in Firebird's terms
// (db/shared_use_firebird.sql): the views that keep people to their rows over base tables, the
// grants each person gets, the audit's triggers; in steps, since Firebird cannot change its
// tables inside one transaction. Running it again changes nothing. Returns those functions
// everyone may still run (the login that ran it does not own them), for a warning.
std::vector<std::string> SetUpSharedUse(hostfw::Engine& engine);

}  // namespace admin
