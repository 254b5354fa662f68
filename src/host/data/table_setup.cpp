#include "host/data/table_setup.h"

#include "host/data/engine.h"

namespace hostfw {

bool HasTable(Engine& engine, const std::string& table) {
    const char* sql = nullptr;
    switch (engine.Kind()) {
        case EngineKind::SQLite:
            sql =
                "SELECT 1 FROM sqlite_master WHERE type = 'table' AND name = :NOME COLLATE NOCASE";
            break;
        case EngineKind::PostgreSQL:
            // Unquoted names are kept in small letters; only the schema in use counts.
            sql =
                "SELECT 1 FROM information_schema.tables "
                "WHERE table_schema = current_schema() AND table_name = lower(:NOME)";
            break;
        case EngineKind::Firebird:
            // Firebird keeps unquoted names in capitals, as the framework writes them.
            sql = "SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = :NOME";
            break;
    }
    TParams params;
    params.CreateParam("NOME").SetAsString(table);
    return engine.Query(sql, params)->Next();
}

void CreateTableOnce(Engine& engine, const std::string& table, std::string_view portableSql,
                     std::string_view firebirdSql) {
    if (engine.Kind() != EngineKind::Firebird) {
        engine.ExecuteScript(portableSql);
    } else if (!HasTable(engine, table)) {
        engine.ExecuteScript(firebirdSql);
    }
}

void DropTableIfExists(Engine& engine, const std::string& table) {
    if (engine.Kind() != EngineKind::Firebird) {
        engine.ExecuteScript("DROP TABLE IF EXISTS " + table);
    } else if (HasTable(engine, table)) {
        engine.ExecuteScript("DROP TABLE " + table);
    }
}

}  // namespace hostfw
