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
        return PgEngine::Open(connection, std::nullopt);
    return SqliteEngine::Open(connection, createIfMissing);
}

std::shared_ptr<Engine> OpenDatabaseAs(const std::string& connection,
                                       const Credentials& credentials) {
    if (!IsPostgresConnection(connection))
        throw Exception("Só um banco PostgreSQL pede usuário e senha.");
    return PgEngine::Open(connection, credentials);
}

}  // namespace hostfw
