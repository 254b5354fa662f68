#include "host/data/audit_trail.h"

#include <string_view>

#include "host/data/engine.h"
#include "host/data/table_setup.h"

namespace hostfw {

// Defined by the embedding of audit_table.sql and audit_table_firebird.sql.
std::string_view AuditTableSql();
std::string_view AuditTableFirebirdSql();

void CreateAuditTable(Engine& engine) {
    CreateTableOnce(engine, "AUDITORIA", AuditTableSql(), AuditTableFirebirdSql());
}

void RecordAudit(Engine& engine, const AuditEvent& event) {
    TParams params;
    params.CreateParam("PESSOA").SetAsString(event.person);
    params.CreateParam("ORIGEM").SetAsString(event.origin);
    params.CreateParam("EVENTO").SetAsString(event.event);
    params.CreateParam("OBJETO").SetAsString(event.object);
    params.CreateParam("PARAMETROS").SetAsString(event.parameters);
    params.CreateParam("LINHAS");
    params.CreateParam("DURACAO_MS");
    params.CreateParam("SAIDA").SetAsString(event.output);
    params.CreateParam("RESULTADO").SetAsString(event.outcome);
    if (event.rows)
        params.ParamByName("LINHAS").SetAsVariant(Variant(static_cast<std::int64_t>(*event.rows)));
    if (event.durationMs) {
        params.ParamByName("DURACAO_MS")
            .SetAsVariant(Variant(static_cast<std::int64_t>(*event.durationMs)));
    }
    engine.Execute(
        "INSERT INTO AUDITORIA (PESSOA, ORIGEM, EVENTO, OBJETO, PARAMETROS, LINHAS, DURACAO_MS, "
        "SAIDA, RESULTADO) VALUES (:PESSOA, :ORIGEM, :EVENTO, :OBJETO, :PARAMETROS, "
        "CAST(:LINHAS AS INTEGER), CAST(:DURACAO_MS AS INTEGER), :SAIDA, :RESULTADO)",
        params);
}

}  // namespace hostfw
