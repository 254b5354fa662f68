#pragma once

namespace hostfw {
class Engine;
}

namespace admin {

// Creates or brings up to date, in one transaction, what shared use needs in a PostgreSQL
// database that holds the shared tables: the roles of people and of the application server,
// the table of people, the privileges, the row-level security of invoices and shipping entries,
// and the insert-only audit. Running it again changes nothing.
void SetUpSharedUse(hostfw::Engine& engine);

}  // namespace admin
