#include "host/report/csv_report.h"

#include <algorithm>

#include "host/core/csv_field.h"
#include "host/core/exception.h"
#include "host/data/abandon_rows.h"
#include "host/report/amount.h"
#include "host/report/definition_bands.h"
#include "host/report/opened_report.h"
#include "host/report/run_monitor.h"

namespace hostfw {
namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// An amount as the report shows it ("-1.234,56", "12,50"): digits grouped by points in
// threes, a decimal comma.
bool IsGroupedAmount(std::string_view text) {
    if (!text.empty() && text.front() == '-')
        text.remove_prefix(1);
    const std::size_t comma = text.find(',');
    const std::string_view whole = text.substr(0, comma);
    if (comma != std::string_view::npos) {
        const std::string_view decimals = text.substr(comma + 1);
        if (decimals.empty() || !std::all_of(decimals.begin(), decimals.end(), IsDigit))
            return false;
    }
    if (whole.empty() || !IsDigit(whole.front()))
        return false;
    std::size_t digitsInGroup = 0;
    bool grouped = false;
    for (const char c : whole) {
        if (IsDigit(c)) {
            ++digitsInGroup;
            if (grouped && digitsInGroup > 3)
                return false;
        } else if (c == '.' && digitsInGroup > 0 &&
                   (grouped ? digitsInGroup == 3 : digitsInGroup <= 3)) {
            grouped = true;
            digitsInGroup = 0;
        } else {
            return false;
        }
    }
    return !grouped || digitsInGroup == 3;
}

// A field as the dialect writes it: an amount loses its thousands points in the Brazilian
// one, which a spreadsheet would otherwise read as a date or a text.
std::string_view DialectValue(std::string_view text, CsvDialect dialect, std::string& scratch) {
    if (dialect != CsvDialect::Brazilian || text.find('.') == std::string_view::npos ||
        !IsGroupedAmount(text))
        return text;
    scratch.clear();
    for (const char c : text) {
        if (c != '.')
            scratch += c;
    }
    return scratch;
}

// One record, written whole; `record` is the caller's, kept so its memory is reused.
void WriteRecord(std::ostream& out, const std::vector<std::string>& fields, CsvDialect dialect,
                 std::string& record) {
    const char separator = dialect == CsvDialect::Brazilian ? ';' : ',';
    std::string scratch;
    record.clear();
    for (std::size_t i = 0; i < fields.size(); ++i) {
        if (i > 0)
            record += separator;
        AppendCsvField(record, DialectValue(fields[i], dialect, scratch), separator);
    }
    record += "\r\n";
    out.write(record.data(), static_cast<std::streamsize>(record.size()));
}

}  // namespace

bool WriteCsvReport(const ReportRequest& request, std::ostream& out, CsvDialect dialect) {
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
    if (dialect == CsvDialect::Brazilian)
        out.write(kUtf8ByteOrderMark.data(), kUtf8ByteOrderMark.size());
    WriteRecord(out, titles, dialect, record);

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
            WriteRecord(out, detail.Render(row, definition.statusTexts).front().texts, dialect,
                        record);
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
