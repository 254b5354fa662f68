#include "host/core/exception.h"
#include "host/data/engine.h"
#include "host/data/fb_database_name.h"
#include "host/data/fb_engine.h"
#include "host/data/pg_engine.h"
#include "host/data/sqlite_engine.h"

namespace hostfw {

EngineKind EngineOf(const std::string& connection) {
    // A "firebird:" name is never a PostgreSQL string, and a PostgreSQL string ending in ".fdb"
    // is never a Firebird name.
    if (IsFirebirdConnection(connection))
        return EngineKind::Firebird;
    if (IsPostgresConnection(connection))
        return EngineKind::PostgreSQL;
    return EngineKind::SQLite;
}

const char* EngineName(EngineKind kind) {
    switch (kind) {
        case EngineKind::SQLite:
            return "SQLite";
        case EngineKind::PostgreSQL:
            return "PostgreSQL";
        case EngineKind::Firebird:
            return "Firebird";
    }
    return "";
}

std::shared_ptr<Engine> OpenDatabase(const std::string& connection, bool createIfMissing) {
    // SQLite would take an empty name as a private temporary database.
    if (connection.empty())
        throw Exception("Banco de dados não informado.");
    switch (EngineOf(connection)) {
        case EngineKind::Firebird:
            return FbEngine::Open(*FirebirdDatabaseOf(connection), std::nullopt, createIfMissing);
        case EngineKind::PostgreSQL:
            return PgEngine::Open(connection, std::nullopt);
        case EngineKind::SQLite:
            break;
    }
    return SqliteEngine::Open(connection, createIfMissing);
}

std::shared_ptr<Engine> OpenDatabaseAs(const std::string& connection,
                                       const Credentials& credentials) {
    switch (EngineOf(connection)) {
        case EngineKind::Firebird:
            return FbEngine::Open(*FirebirdDatabaseOf(connection), credentials, false);
        case EngineKind::PostgreSQL:
            return PgEngine::Open(connection, credentials);
        case EngineKind::SQLite:
            break;
    }
    throw Exception("Só um banco PostgreSQL ou Firebird pede usuário e senha.");
}

}  // namespace hostfw
