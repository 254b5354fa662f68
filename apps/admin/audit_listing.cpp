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

std::string text(const hostfw::Cursor& row, size_t column) {
    return row.Value(column).IsEmptyOrNull() ? std::string() : row.Value(column).AsString();
}

void WriteCsv(hostfw::Cursor& rows, std::ostream& out) {
    for (size_t c = 0; c < kColumns.size(); ++c)
        out << (c > 0 ? "," : "") << kColumns[c];
    out << "\r\n";
    while (rows.Next()) {
        for (size_t c = 0; c < kColumns.size(); ++c)
            out << (c > 0 ? "," : "") << hostfw::CsvField(text(rows, c));
        out << "\r\n";
    }
}

// One line an event; the parameters of a call or a report run follow, indented.
void WriteListing(hostfw::Cursor& rows, std::ostream& out) {
    while (rows.Next()) {
        out << text(rows, 0) << "  " << text(rows, 1) << "  " << text(rows, 2) << "  "
            << text(rows, 3);
        if (!text(rows, 4).empty())
            out << "  " << text(rows, 4);
        if (!text(rows, 5).empty())
            out << "  " << text(rows, 5) << " linha(s)";
        if (!text(rows, 6).empty())
            out << "  " << text(rows, 6) << " ms";
        out << "  " << text(rows, 7);
        if (!text(rows, 8).empty())
            out << "  -> " << text(rows, 8);
        out << '\n';
        std::string parameters = text(rows, 9);
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
    const auto rows = engine.Query(
        "SELECT CAST(MOMENTO AS VARCHAR(32)), PESSOA, ORIGEM, EVENTO, OBJETO, LINHAS, "
        "DURACAO_MS, RESULTADO, SAIDA, PARAMETROS FROM AUDITORIA "
        "WHERE (CAST(:DESDE AS VARCHAR(10)) IS NULL OR MOMENTO >= CAST(:DESDE AS DATE)) "
        "AND (CAST(:PESSOA AS VARCHAR(63)) IS NULL OR PESSOA = :PESSOA) "
        "ORDER BY MOMENTO",
        params);
    if (command.csv)
        WriteCsv(*rows, out);
    else
        WriteListing(*rows, out);
}

}  // namespace admin
