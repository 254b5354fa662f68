#include "host/data/table_setup.h"

#include "host/data/engine.h"

namespace hostfw {
namespace {

// Firebird keeps unquoted names in capitals, as the framework writes them.
bool FirebirdHasTable(Engine& engine, const std::string& table) {
    TParams params;
    params.CreateParam("NOME").SetAsString(table);
    return engine.Query("SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = :NOME", params)
        ->Next();
}

}  // namespace

void CreateTableOnce(Engine& engine, const std::string& table, std::string_view portableSql,
                     std::string_view firebirdSql) {
    if (engine.Kind() != EngineKind::Firebird) {
        engine.ExecuteScript(portableSql);
    } else if (!FirebirdHasTable(engine, table)) {
        engine.ExecuteScript(firebirdSql);
    }
}

void DropTableIfExists(Engine& engine, const std::string& table) {
    if (engine.Kind() != EngineKind::Firebird) {
        engine.ExecuteScript("DROP TABLE IF EXISTS " + table);
    } else if (FirebirdHasTable(engine, table)) {
        engine.ExecuteScript("DROP TABLE " + table);
    }
}

}  // namespace hostfw
