#include "audit_listing.h"

#include <array>
#include <string>

#include "host/core/csv_field.h"
#include "host/data/engine.h"

namespace admin {
namespace {

constexpr std::array<const char*, 10> kColumns = {"MOMENTO", "PESSOA",    "ORIGEM",     "EVENTO",
                                                  "OBJETO",  "LINHAS",    "DURACAO_MS", "RESULTADO",
                                                  "SAIDA",   "PARAMETROS"};

std::string Text(const hostfw::Cursor& row, size_t column) {
    return row.Value(column).IsEmptyOrNull() ? std::string() : row.Value(column).AsString();
}

void WriteCsv(hostfw::Cursor& rows, std::ostream& out) {
    for (size_t c = 0; c < kColumns.size(); ++c)
        out << (c > 0 ? "," : "") << kColumns[c];
    out << "\r\n";
    while (rows.Next()) {
        for (size_t c = 0; c < kColumns.size(); ++c)
            out << (c > 0 ? "," : "") << hostfw::CsvField(Text(rows, c));
        out << "\r\n";
    }
}

// One line an event; the parameters of a call or a report run follow, indented.
void WriteListing(hostfw::Cursor& rows, std::ostream& out) {
    while (rows.Next()) {
        out << Text(rows, 0) << "  " << Text(rows, 1) << "  " << Text(rows, 2) << "  "
            << Text(rows, 3);
        if (!Text(rows, 4).empty())
            out << "  " << Text(rows, 4);
        if (!Text(rows, 5).empty())
            out << "  " << Text(rows, 5) << " linha(s)";
        if (!Text(rows, 6).empty())
            out << "  " << Text(rows, 6) << " ms";
        out << "  " << Text(rows, 7);
        if (!Text(rows, 8).empty())
            out << "  -> " << Text(rows, 8);
        out << '\n';
        std::string parameters = Text(rows, 9);
        for (size_t start = 0; start < parameters.size();) {
            const size_t end = std::min(parameters.find('\n', start), parameters.size());
            out << "    " << parameters.substr(start, end - start) << '\n';
            start = end + 1;
        }
    }
}

}  // namespace

void ListAudit(hostfw::Engine& engine, const AdminCommand& command, std::ostream& out) {
    hostfw::TParams params;
    params.CreateParam("DESDE");
    params.CreateParam("PESSOA");
    if (command.since)
        params.ParamByName("DESDE").SetAsString(*command.since);
    if (command.user)
        params.ParamByName("PESSOA").SetAsString(*command.user);
    // SQLite keeps the moment as "yyyy-mm-dd hh:mm:ss" text, which a day compares with as it is;
    // it would take CAST(... AS DATE) for a number.
    const std::string since = engine.Kind() == hostfw::EngineKind::SQLite
                                  ? "MOMENTO >= :DESDE"
                                  : "MOMENTO >= CAST(:DESDE AS DATE)";
    const auto rows = engine.Query(
        "SELECT CAST(MOMENTO AS VARCHAR(32)), PESSOA, ORIGEM, EVENTO, OBJETO, LINHAS, "
        "DURACAO_MS, RESULTADO, SAIDA, PARAMETROS FROM AUDITORIA "
        "WHERE (CAST(:DESDE AS VARCHAR(10)) IS NULL OR " +
            since +
            ") "
            "AND (CAST(:PESSOA AS VARCHAR(63)) IS NULL OR PESSOA = :PESSOA) "
            "ORDER BY MOMENTO",
        params);
    if (command.csv)
        WriteCsv(*rows, out);
    else
        WriteListing(*rows, out);
}

}  // namespace admin
