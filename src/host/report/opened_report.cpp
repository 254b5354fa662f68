#include "host/report/opened_report.h"

#include "host/core/exception.h"
#include "host/data/sql_parameters.h"
#include "host/report/definition_error.h"

namespace hostfw {
namespace {

std::unique_ptr<Cursor> RunQuery(const ReportRequest& request, const std::string& sql,
                                 const TParams& params) {
    try {
        return request.engine.Query(sql, params);
    } catch (const Exception& e) {
        throw Exception("Erro ao executar a consulta do relatório '" +
                        request.definition.file.filename().string() + "': " + e.what());
    }
}

// A look-up sees only the parameters its own statement declares, with the form's values.
TParams LookupParams(const std::string& sql, EngineKind kind, const TParams& reportParams) {
    TParams params(DeclaredParameters(sql, kind));
    for (std::size_t i = 0; i < params.Count(); ++i) {
        if (const TParam* value = reportParams.FindParam(params[i].Name())) {
            params[i].SetAsVariant(value->Value());
        }
    }
    return params;
}

// The statement for the request's engine; a definition may lack Firebird's.
const std::string& StatementFor(const ReportRequest& request, const EngineSql& sql) {
    const EngineKind kind = request.engine.Kind();
    const std::string& text = sql.For(kind);
    if (text.empty()) {
        ThrowInvalidDefinition(request.definition.file,
                               std::string("falta o SQL para o banco ") + EngineName(kind));
    }
    return text;
}

std::vector<Variant> RunLookups(const ReportRequest& request, const TParams& reportParams) {
    std::vector<Variant> values;
    for (const ReportLookup& lookup : request.definition.lookups) {
        const std::string& sql = StatementFor(request, lookup.sql);
        auto cursor =
            RunQuery(request, sql, LookupParams(sql, request.engine.Kind(), reportParams));
        const NameIndex columns(cursor->ColumnNames());
        const bool found = cursor->Next();
        for (const std::string& name : lookup.columns) {
            const auto column = columns.Find(name);
            if (!column) {
                ThrowInvalidDefinition(request.definition.file,
                                       "a consulta auxiliar não devolve a coluna '" + name + "'");
            }
            values.push_back(found ? cursor->Value(*column) : Variant::Null());
        }
    }
    return values;
}

}  // namespace

std::optional<OpenedReport> OpenReport(const ReportRequest& request) {
    const std::string& sql = StatementFor(request, request.definition.sql);
    TParams params(DeclaredParameters(sql, request.engine.Kind()));
    bool cancel = false;
    if (request.beforeGetQueryParams)
        request.beforeGetQueryParams(params, cancel);
    if (cancel)
        return std::nullopt;

    auto transaction = std::make_unique<Transaction>(request.engine, TransactionKind::ReadOnly);
    ReportScope scope(request.definition, params, RunLookups(request, params),
                      request.printedAt.value_or(Now()));
    auto rows = RunQuery(request, sql, params);
    NameIndex rowNames(rows->ColumnNames());
    rowNames.Add("count");
    rowNames.Add("total");
    return OpenedReport{std::move(transaction),
                        std::move(params),
                        std::move(scope),
                        std::move(rows),
                        std::move(rowNames),
                        request.rowsRead,
                        0};
}

bool OpenedReport::NextRow() {
    if (rows->Next()) {
        ++rowCount;
        return true;
    }
    if (rowsRead)
        rowsRead(rowCount);
    return false;
}

}  // namespace hostfw
