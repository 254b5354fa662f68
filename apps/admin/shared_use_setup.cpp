#include "shared_use_setup.h"

#include <string_view>

#include "host/core/exception.h"
#include "host/data/audit_trail.h"
#include "host/data/engine.h"
#include "host/data/saved_choices.h"
#include "host/data/transaction.h"

namespace admin {

// Defined by the embedding of db/shared_use.sql.
std::string_view SharedUseSql();

std::vector<std::string> SetUpSharedUse(hostfw::Engine& engine) {
    if (engine.Kind() != hostfw::EngineKind::PostgreSQL)
        throw hostfw::Exception("O uso compartilhado é só para bancos PostgreSQL.");
    const auto tables = engine.Query(
        "SELECT count(*) FROM information_schema.tables WHERE table_schema = current_schema() "
        "AND upper(table_name) IN ('FILIAL', 'CLIENTE', 'NOTAFISCAL', 'EXPEDICAO')",
        hostfw::TParams());
    if (!tables->Next() || tables->Value(0).AsInteger() != 4) {
        throw hostfw::Exception(
            "O banco não tem as tabelas FILIAL, CLIENTE, NOTAFISCAL e EXPEDICAO; crie-as antes "
            "(exp036-demodb, ou a carga da empresa).");
    }
    hostfw::Transaction transaction(engine);
    hostfw::CreateAuditTable(engine);
    hostfw::CreateSavedChoicesTable(engine);
    engine.ExecuteScript(SharedUseSql());
    transaction.Commit();
    const auto open = engine.Query(
        "SELECT CAST(f AS TEXT) FROM exp036_funcoes_externas() AS f "
        "WHERE has_function_privilege('public', f, 'EXECUTE') ORDER BY 1",
        hostfw::TParams());
    std::vector<std::string> stillOpen;
    while (open->Next())
        stillOpen.push_back(open->Value(0).AsString());
    return stillOpen;
}

}  // namespace admin
