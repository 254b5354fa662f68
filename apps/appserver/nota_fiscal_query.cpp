#include "nota_fiscal_query.h"

namespace appserver {
namespace {

// The pieces where the engines' SQL differs.
struct Dialect {
    std::string (*dayText)(const std::string& column);
    std::string (*contains)(const std::string& list, const std::string& value);
    std::string (*dateParameter)(const std::string& parameter);
    std::string (*textParameter)(const std::string& parameter);
    // Orders texts by their bytes, whatever the database's locale, so the engines agree (the
    // default collation of Firebird's UTF8 already does).
    const char* byteOrder;
};

const Dialect kSqlite = {
    [](const std::string& column) { return "strftime('%d/%m/%Y', " + column + ")"; },
    [](const std::string& list, const std::string& value) {
        return "instr(" + list + ", " + value + ") > 0";
    },
    [](const std::string& parameter) { return parameter; },
    [](const std::string& parameter) { return parameter; },
    "",
};

const Dialect kPostgres = {
    [](const std::string& column) { return "to_char(" + column + ", 'DD/MM/YYYY')"; },
    [](const std::string& list, const std::string& value) {
        return "strpos(" + list + ", CAST(" + value + " AS VARCHAR)) > 0";
    },
    [](const std::string& parameter) { return "CAST(" + parameter + " AS DATE)"; },
    [](const std::string& parameter) { return parameter; },
    " COLLATE \"C\"",
};

// Firebird 3 has no date formatting function: the parts, zero-filled. A list may be longer than
// a VARCHAR holds, so it goes as a BLOB, which POSITION searches as well.
const Dialect kFirebird = {
    [](const std::string& column) {
        const auto part = [&](const char* which, const char* width) {
            return std::string("LPAD(CAST(EXTRACT(") + which + " FROM " + column +
                   ") AS VARCHAR(4)), " + width + ", '0')";
        };
        return part("DAY", "2") + " || '/' || " + part("MONTH", "2") + " || '/' || " +
               part("YEAR", "4");
    },
    [](const std::string& list, const std::string& value) {
        return "POSITION(" + value + " IN CAST(" + list + " AS BLOB SUB_TYPE TEXT)) > 0";
    },
    [](const std::string& parameter) { return "CAST(" + parameter + " AS DATE)"; },
    // Firebird types a bare parameter after the column it meets: a branch code longer than the
    // column would fail instead of matching nothing.
    [](const std::string& parameter) { return "CAST(" + parameter + " AS VARCHAR(8191))"; },
    "",
};

const Dialect& DialectOf(hostfw::EngineKind engine) {
    switch (engine) {
        case hostfw::EngineKind::PostgreSQL:
            return kPostgres;
        case hostfw::EngineKind::Firebird:
            return kFirebird;
        case hostfw::EngineKind::SQLite:
            break;
    }
    return kSqlite;
}

std::string Delimited(const std::string& column) {
    return "',' || " + column + " || ','";
}

}  // namespace

BoundQuery NotaFiscalQuery(const GetNotaRequest& request, hostfw::EngineKind engine) {
    const Dialect& d = DialectOf(engine);
    BoundQuery query;
    const std::string dateColumn = request.byCancellation ? "E.DTCANCEXPED" : "N.DTEMISSAO";

    query.sql = "SELECT N.NRNOTAFISC, " + d.dayText("N.DTEMISSAO") + " AS DTEMISSAO, COALESCE(" +
                d.dayText("N.DTENTRSAID") + ", '') AS DTENTRSAID, N.NRLANCTONF, N.IDSTATUSNF" +
                " FROM NOTAFISCAL N";
    if (request.byCancellation) {
        query.sql += " JOIN EXPEDICAO E ON E.CDFILIAL = N.CDFILIAL AND E.NRLANCTONF = N.NRLANCTONF";
    }
    query.sql += " WHERE N.CDFILIAL = " + d.textParameter(":P_CDFILIAL") + " AND " + dateColumn +
                 " >= " + d.dateParameter(":P_DATAINI");
    query.params.CreateParam("P_CDFILIAL").SetAsString(request.branch);
    query.params.CreateParam("P_DATAINI").SetAsString(hostfw::DateToIso(request.firstDay));
    // Whole days as a half-open range: a stored time of day on the last day still counts. After
    // the last calendar day there is no next day to stop before, and no date to leave out.
    if (request.lastDay.value < kLastCalendarDay.value) {
        query.sql += " AND " + dateColumn + " < " + d.dateParameter(":P_DATAPOSFIM");
        query.params.CreateParam("P_DATAPOSFIM")
            .SetAsString(hostfw::DateToIso({request.lastDay.value + 1}));
    }

    if (request.clients) {
        query.sql += " AND " + d.contains(":P_CDCLIENTE", Delimited("N.CDCLIENTE"));
        query.params.CreateParam("P_CDCLIENTE").SetAsString(*request.clients);
    }
    if (request.destinations) {
        query.sql += " AND " + d.contains(":P_FILIDEST", Delimited("N.CDFILIDEST"));
        query.params.CreateParam("P_FILIDEST").SetAsString(*request.destinations);
    }
    if (!request.statuses.empty()) {
        query.sql += " AND " + d.contains(":P_STATUS", "N.IDSTATUSNF");
        query.params.CreateParam("P_STATUS").SetAsString(request.statuses);
    }
    query.sql +=
        std::string(" ORDER BY N.NRNOTAFISC") + d.byteOrder + ", N.NRLANCTONF" + d.byteOrder;
    return query;
}

}  // namespace appserver
