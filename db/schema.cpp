#include "db/demo_data.h"

#include "host/data/audit_trail.h"
#include "host/data/params.h"
#include "host/data/saved_choices.h"
#include "host/data/table_setup.h"

namespace demodb {

// Defined by the embedding of db/schema.sql and db/schema_indexes.sql.
std::string_view SchemaSql();
std::string_view SchemaIndexesSql();

void CreateSchema(hostfw::Engine& engine) {
    CreateTables(engine);
    CreateIndexes(engine);
}

void CreateTables(hostfw::Engine& engine) {
    engine.ExecuteScript(SchemaSql());
    hostfw::CreateAuditTable(engine);
    hostfw::CreateSavedChoicesTable(engine);
}

void CreateIndexes(hostfw::Engine& engine) {
    engine.ExecuteScript(SchemaIndexesSql());
}

void DropSchema(hostfw::Engine& engine) {
    // Children first, so that no foreign key stands in the way.
    for (const char* table : {"EXPEDICAO", "NOTAFISCAL", "CLIENTE", "FILIAL"})
        hostfw::DropTableIfExists(engine, table);
}

bool HasTables(hostfw::Engine& engine) {
    const char* sql = nullptr;
    switch (engine.Kind()) {
        case hostfw::EngineKind::SQLite:
            sql = "SELECT count(*) FROM sqlite_master WHERE type = 'table'";
            break;
        case hostfw::EngineKind::PostgreSQL:
            sql =
                "SELECT count(*) FROM information_schema.tables "
                "WHERE table_schema = current_schema()";
            break;
        case hostfw::EngineKind::Firebird:
            sql = "SELECT count(*) FROM RDB$RELATIONS WHERE COALESCE(RDB$SYSTEM_FLAG, 0) = 0";
            break;
    }
    const auto cursor = engine.Query(sql, hostfw::TParams());
    return cursor->Next() && cursor->Value(0).AsInteger() > 0;
}

}  // namespace demodb
