#include "host/report/csv_report.h"

#include "host/core/csv_field.h"
#include "host/core/exception.h"
#include "host/data/abandon_rows.h"
#include "host/report/amount.h"
#include "host/report/definition_bands.h"
#include "host/report/opened_report.h"
#include "host/report/run_monitor.h"

namespace hostfw {
namespace {

// One record, written whole; `record` is the caller's, kept so its memory is reused.
void WriteRecord(std::ostream& out, const std::vector<std::string>& fields, std::string& record) {
    record.clear();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record += ',';
        AppendCsvField(record, fields[i]);
    }
    record += "\r\n";
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
}

}  // namespace

bool WriteCsvReport(const ReportRequest& request, std::ostream& out) {
    auto report = OpenReport(request);
    if (!report)
        return false;
    const ReportDefinition& definition = request.definition;
    const BoundBand detail =
        BindDefinitionBand(definition, DetailBand(definition), report->rowNames, "columns");
    const auto amountColumn =
        FindResultColumn(definition, report->rowNames, definition.amountField, "amountField");

    std::string record;
    std::vector<std::string> titles;
    for (const ReportColumn& column : definition.columns)
        titles.push_back(column.title);
    WriteRecord(out, titles, record);

    // {count} and {total} run over the whole file, which is one group; worked out only when
    // a column shows them.
    const std::size_t columnCount = report->rows->ColumnNames().size();
    const bool showsCount = detail.Uses(columnCount);
    const bool showsTotal = detail.Uses(columnCount + 1);
    std::vector<Variant> row(columnCount + 2);
    std::int64_t count = 0;
    std::int64_t cents = 0;
    RunMonitor monitor(request);
    try {
        while (report->NextRow()) {
            for (std::size_t i = 0; i < columnCount; ++i)
                row[i] = report->rows->Value(i);
            ++count;
            if (showsCount)
                row[columnCount] = Variant(count);
            if (showsTotal) {
                cents += amountColumn ? AmountInCents(row[*amountColumn]) : 0;
                row[columnCount + 1] = Variant(CentsToDecimal(cents));
            }
            WriteRecord(out, detail.Render(row, definition.statusTexts).front().texts, record);
            monitor.RowRead();
        }
    } catch (...) {
        AbandonRows(request.engine, std::move(report->rows));
        throw;
    }
    out.flush();
    if (!out)
        throw Exception("Falha ao gravar o arquivo CSV.");
    return true;
}

}  // namespace hostfw
