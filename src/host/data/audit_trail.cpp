#include "host/data/audit_trail.h"

#include <string_view>

#include "host/core/utf8.h"
#include "host/data/engine.h"
#include "host/data/table_setup.h"

namespace hostfw {

// Defined by the embedding of audit_table.sql and audit_table_firebird.sql.
std::string_view AuditTableSql();
std::string_view AuditTableFirebirdSql();

namespace {

constexpr char32_t kReplacement = 0xFFFD;

// The text as a database takes it: valid UTF-8 without NUL (which PostgreSQL refuses, and
// which would end it early in SQLite's C strings), at most `limit` characters.
std::string StorableText(std::string_view text, std::size_t limit) {
    // No character takes more than four bytes: what lies beyond cannot be kept anyway.
    std::u32string characters = Utf8Decode(text.substr(0, limit * 4));
    if (characters.size() > limit)
        characters.resize(limit);
    for (char32_t& c : characters) {
        // Utf8Decode keeps a stray byte as the Latin-1 letter it would be; what no UTF-8 may
        // hold (NUL from an overlong form too, a surrogate, past U+10FFFF) is replaced.
        if (c == 0 || (c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF)
            c = kReplacement;
    }
    return Utf8Encode(characters);
}

}  // namespace

void CreateAuditTable(Engine& engine) {
    CreateTableOnce(engine, "AUDITORIA", AuditTableSql(), AuditTableFirebirdSql());
}

void RecordAudit(Engine& engine, const AuditEvent& event) {
    TParams params;
    params.CreateParam("PESSOA").SetAsString(StorableText(event.person, kAuditPersonLimit));
    params.CreateParam("ORIGEM").SetAsString(StorableText(event.origin, kAuditOriginLimit));
    params.CreateParam("EVENTO").SetAsString(event.event);
    params.CreateParam("OBJETO").SetAsString(StorableText(event.object, kAuditObjectLimit));
    params.CreateParam("PARAMETROS")
        .SetAsString(StorableText(event.parameters, kAuditParametersLimit));
    params.CreateParam("LINHAS");
    params.CreateParam("DURACAO_MS");
    params.CreateParam("SAIDA").SetAsString(StorableText(event.output, kAuditOutputLimit));
    params.CreateParam("RESULTADO").SetAsString(StorableText(event.outcome, kAuditOutcomeLimit));
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
