#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/data/pg_engine.h"
#include "host/data/sqlite_engine.h"

namespace hostfw {

std::shared_ptr<Engine> OpenDatabase(const std::string& connection, bool createIfMissing) {
    // SQLite would take an empty name as a private temporary database.
    if (connection.empty())
        throw Exception("Banco de dados não informado.");
    if (IsPostgresConnection(connection))
        return PgEngine::Open(connection);
    return SqliteEngine::Open(connection, createIfMissing);
}

}  // namespace hostfw
