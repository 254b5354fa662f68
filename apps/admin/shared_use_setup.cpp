#include "shared_use_setup.h"

#include <string_view>

#include "firebird_base_tables.h"
#include "host/core/exception.h"
#include "host/data/audit_trail.h"
#include "host/data/engine.h"
#include "host/data/saved_choices.h"
#include "host/data/transaction.h"

namespace admin {

// Defined by the embedding of db/shared_use.sql and db/shared_use_firebird.sql.
std::string_view SharedUseSql();
std::string_view SharedUseFirebirdSql();

namespace {

constexpr const char* kMissingTables =
    "O banco não tem as tabelas FILIAL, CLIENTE, NOTAFISCAL e EXPEDICAO; crie-as antes "
    "(exp036-demodb, ou a carga da empresa).";

bool HasSharedTables(hostfw::Engine& engine) {
    // On Firebird, NOTAFISCAL and EXPEDICAO are views once set up.
    const auto tables =
        engine.Query(engine.Kind() == hostfw::EngineKind::Firebird
                         ? "SELECT count(*) FROM RDB$RELATIONS WHERE RDB$RELATION_NAME IN "
                           "('FILIAL', 'CLIENTE', 'NOTAFISCAL', 'EXPEDICAO')"
                         : "SELECT count(*) FROM information_schema.tables WHERE table_schema = "
                           "current_schema() AND upper(table_name) IN "
                           "('FILIAL', 'CLIENTE', 'NOTAFISCAL', 'EXPEDICAO')",
                     hostfw::TParams());
    return tables->Next() && tables->Value(0).AsInteger() == 4;
}

std::vector<std::string> SetUpPostgres(hostfw::Engine& engine) {
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

// Firebird lets no statement use what a transaction not yet committed created: each step
// commits before the next, and each is skipped when already done.
void SetUpFirebird(hostfw::Engine& engine) {
    if (engine.Embedded()) {
        throw hostfw::Exception(
            "O uso compartilhado no Firebird pede um servidor (servidor/porta:/caminho/banco.fdb): "
            "um arquivo aberto pelo próprio programa não pede senha a ninguém.");
    }
    hostfw::CreateAuditTable(engine);
    hostfw::CreateSavedChoicesTable(engine);
    MoveRowsToBaseTables(engine);
    engine.ExecuteScript(SharedUseFirebirdSql());
}

}  // namespace

std::vector<std::string> SetUpSharedUse(hostfw::Engine& engine) {
    if (engine.Kind() == hostfw::EngineKind::SQLite)
        throw hostfw::Exception("O uso compartilhado é só para bancos PostgreSQL e Firebird.");
    if (!HasSharedTables(engine))
        throw hostfw::Exception(kMissingTables);
    if (engine.Kind() == hostfw::EngineKind::PostgreSQL)
        return SetUpPostgres(engine);
    SetUpFirebird(engine);
    return {};
}

}  // namespace admin
