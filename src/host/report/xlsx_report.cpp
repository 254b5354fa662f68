#include "host/report/xlsx_report.h"

#include <algorithm>
#include <map>

#include "host/data/abandon_rows.h"
#include "host/report/amount.h"
#include "host/report/definition_bands.h"
#include "host/report/grouped_rows.h"
#include "host/report/opened_report.h"
#include "host/report/run_monitor.h"
#include "host/report/utf8_text.h"
#include "host/report/xlsx_cell_kind.h"
#include "host/report/xlsx_workbook.h"

namespace hostfw {
namespace {

constexpr std::size_t kMinWidth = 6;
constexpr std::size_t kMaxWidth = 80;

std::string ColumnLetters(int column) {
    std::string letters;
    for (int n = column + 1; n > 0; n = (n - 1) / 26)
        letters.insert(letters.begin(), static_cast<char>('A' + (n - 1) % 26));
    return letters;
}

// Adds the numbers of rows `first` to `last` (from 0) of `column`; SUBTOTAL rather than SUM
// so the grand total, which spans the group rows too, does not count their subtotals again.
std::string SumFormula(int column, int first, int last) {
    const std::string letters = ColumnLetters(column);
    return "SUBTOTAL(9," + letters + std::to_string(first + 1) + ":" + letters +
           std::to_string(last + 1) + ")";
}

// The detail columns with the typed ones left blank: their values are written as such, so
// their text is never made.
Band TextCells(const ReportDefinition& definition) {
    Band band = DetailBand(definition);
    for (TextTemplate& cell : band.front().cells) {
        if (CellKindOf(cell) != XlsxCellKind::Text)
            cell = TextTemplate();
    }
    return band;
}

double CentsToNumber(std::int64_t cents) {
    return static_cast<double>(cents) / 100.0;
}

class DetailSheet : private GroupedRowsHandler {
public:
    DetailSheet(const ReportDefinition& definition, OpenedReport& report, XlsxWorkbook& book)
        : definition_(definition),
          report_(report),
          sheet_(book.AddSheet("Relatório")),
          detail_(
              BindDefinitionBand(definition, TextCells(definition), report.rowNames, "columns")),
          summary_(
              BindDefinitionBand(definition, definition.summary, report.scope.Names(), "summary")),
          rows_(definition, report),
          widths_(definition.columns.size(), kMinWidth) {
        for (const ReportColumn& column : definition.columns) {
            const auto field = SoleField(column.value);
            kinds_.push_back(CellKindOf(column.value));
            values_.push_back(field ? report.rowNames.Find(field->name) : std::nullopt);
        }
        if (definition.group) {
            groupFooter_ = BindDefinitionBand(definition, definition.group->footer, report.rowNames,
                                              "group.footer");
        }
        totalIndex_ = report.rows->ColumnNames().size() + 1;
    }

    void Run(RunMonitor& monitor) {
        WriteHeading();
        while (rows_.Step(*this))
            monitor.RowRead();
        report_.scope.SetTotals(rows_.Count(), rows_.Cents());
        const int lastDetailRow = nextRow_ - 1;
        if (rows_.Count() > 0) {
            WriteTotals(definition_.summary,
                        summary_.Render(report_.scope.Values(), definition_.statusTexts), 1,
                        lastDetailRow, rows_.Cents());
        }
        // The filter stops above the grand total, which stays in sight whatever is filtered.
        Finish(lastDetailRow);
    }

private:
    void GroupStarts(std::span<const Variant> /*row*/) override { groupFirstRow_ = nextRow_; }

    void Row(std::span<const Variant> row) override {
        const PrintedLines texts = detail_.Render(row, definition_.statusTexts);
        const std::vector<std::string>& shown = texts.front().texts;
        for (std::size_t i = 0; i < kinds_.size(); ++i) {
            if (WriteValue(row, i))
                continue;
            // A typed column whose value is not of its type shows it as it is.
            const std::string text = kinds_[i] == XlsxCellKind::Text
                                         ? shown[i]
                                         : SingleLine(row[*values_[i]].AsString());
            if (!text.empty())
                sheet_.Text(nextRow_, static_cast<int>(i), text);
            Widen(i, text);
        }
        ++nextRow_;
    }

    void GroupEnds(std::span<const Variant> lastRow) override {
        WriteTotals(definition_.group->footer,
                    groupFooter_->Render(lastRow, definition_.statusTexts), groupFirstRow_,
                    nextRow_ - 1, AmountInCents(lastRow[totalIndex_]));
    }

    void WriteHeading() {
        for (std::size_t i = 0; i < definition_.columns.size(); ++i) {
            const std::string& title = definition_.columns[i].title;
            sheet_.Text(0, static_cast<int>(i), title, XlsxStyle::Bold);
            Widen(i, title);
        }
        sheet_.StartAutoFilter(static_cast<int>(definition_.columns.size()) - 1);
        sheet_.FreezeRowsAbove(1);
        sheet_.PrintOnA4(definition_.orientation == PageOrientation::Landscape, 1);
        nextRow_ = 1;
    }

    // The value itself in a typed column; false when it is to be shown as text.
    bool WriteValue(std::span<const Variant> row, std::size_t column) {
        if (kinds_[column] == XlsxCellKind::Text || !values_[column])
            return false;
        const Variant& value = row[*values_[column]];
        if (value.IsEmptyOrNull())
            return true;
        const int at = static_cast<int>(column);
        if (kinds_[column] == XlsxCellKind::Money) {
            const std::int64_t cents = AmountInCents(value);
            sheet_.Number(nextRow_, at, CentsToNumber(cents), XlsxStyle::Money);
            // Sized once at the end from the widest amounts, not formatted at every row.
            auto& [least, most] = amountRange_[column];
            least = std::min(least, cents);
            most = std::max(most, cents);
            return true;
        }
        const bool withTime = kinds_[column] == XlsxCellKind::DateTime;
        const auto day = SpreadsheetDay(value, withTime);
        if (!day)
            return false;
        sheet_.Number(nextRow_, at, *day, withTime ? XlsxStyle::DateTime : XlsxStyle::Date);
        Widen(column, withTime ? "dd/mm/yyyy hh:mm:ss" : "dd/mm/yyyy");
        return true;
    }

    // The cell lines of a closing band, each a row of its own: a cell that shows the total
    // alone becomes a formula over the rows `first` to `last`; other cells keep their text.
    // Free text and rules belong to the printed page and are left out.
    void WriteTotals(const Band& band, const PrintedLines& printed, int first, int last,
                     std::int64_t cents) {
        for (std::size_t line = 0; line < band.size(); ++line) {
            if (band[line].kind != BandLine::Kind::Cells)
                continue;
            const bool bold = band[line].style == LineStyle::Bold;
            const std::vector<std::string>& texts = printed[line].texts;
            for (std::size_t i = 0; i < band[line].cells.size(); ++i) {
                const int at = static_cast<int>(i);
                if (ShowsOnly(band[line].cells[i], "total")) {
                    sheet_.Formula(nextRow_, at, SumFormula(at, first, last), CentsToNumber(cents),
                                   bold ? XlsxStyle::BoldMoney : XlsxStyle::Money);
                    Widen(i, FormatCents(cents));
                } else if (!texts[i].empty()) {
                    sheet_.Text(nextRow_, at, texts[i], bold ? XlsxStyle::Bold : XlsxStyle::Plain);
                }
            }
            ++nextRow_;
        }
    }

    void Widen(std::size_t column, std::string_view text) {
        // A text never shows wider than its bytes: only a longer one is measured.
        if (text.size() > widths_[column])
            widths_[column] = std::clamp(DisplayWidth(text), widths_[column], kMaxWidth);
    }

    void Finish(int lastRow) {
        for (const auto& [column, range] : amountRange_) {
            Widen(column, FormatCents(range.first));
            Widen(column, FormatCents(range.second));
        }
        for (std::size_t i = 0; i < widths_.size(); ++i)
            sheet_.ColumnWidth(static_cast<int>(i), static_cast<double>(widths_[i] + 2));
        sheet_.EndAutoFilter(lastRow);
    }

    const ReportDefinition& definition_;
    OpenedReport& report_;
    XlsxWorkbook::Sheet sheet_;
    BoundBand detail_;
    BoundBand summary_;
    std::optional<BoundBand> groupFooter_;
    GroupedRows rows_;
    std::vector<XlsxCellKind> kinds_;
    std::vector<std::optional<std::size_t>> values_;  // where a typed column's value sits
    std::size_t totalIndex_ = 0;                      // where a row's group total sits
    std::vector<std::size_t> widths_;
    std::map<std::size_t, std::pair<std::int64_t, std::int64_t>> amountRange_;  // least, most
    int nextRow_ = 0;
    int groupFirstRow_ = 1;
};

// The title of the run and every parameter as the form bound it, a name and a value a row.
void WriteParameters(const ReportDefinition& definition, const OpenedReport& report,
                     XlsxWorkbook& book) {
    XlsxWorkbook::Sheet sheet = book.AddSheet("Parâmetros");
    int row = 0;
    auto text = [&](const std::string& name, const std::string& value) {
        sheet.Text(row, 0, name, XlsxStyle::Bold);
        sheet.Text(row++, 1, value);
    };
    text("Título", definition.title);
    text("Relatório", definition.reportCode + "-" + std::to_string(definition.sequence));
    text("Tela", definition.screenCode);
    text("Variante", definition.variant);
    if (const auto printedAt = report.scope.Names().Find("printedAt")) {
        sheet.Text(row, 0, "Emitido em", XlsxStyle::Bold);
        sheet.Number(row++, 1, report.scope.Values()[*printedAt].AsDate().value,
                     XlsxStyle::DateTime);
    }
    std::size_t nameWidth = 10;
    for (std::size_t i = 0; i < report.params.Count(); ++i) {
        const TParam& param = report.params[i];
        nameWidth = std::max(nameWidth, param.Name().size());
        sheet.Text(row, 0, param.Name(), XlsxStyle::Bold);
        const auto day = SpreadsheetDay(param.Value(), false);
        if (day)
            sheet.Number(row, 1, *day, XlsxStyle::Date);
        else if (!param.IsNull())
            sheet.Text(row, 1, param.AsString());
        ++row;
    }
    sheet.ColumnWidth(0, static_cast<double>(nameWidth + 2));
    sheet.ColumnWidth(1, static_cast<double>(
                             std::clamp(DisplayWidth(definition.title) + 2, kMinWidth, kMaxWidth)));
}

}  // namespace

bool WriteXlsxReport(const ReportRequest& request, const std::filesystem::path& file,
                     const std::string& shownAs) {
    auto report = OpenReport(request);
    if (!report)
        return false;
    XlsxWorkbook book(file, shownAs);
    RunMonitor monitor(request);
    try {
        DetailSheet(request.definition, *report, book).Run(monitor);
    } catch (...) {
        AbandonRows(request.engine, std::move(report->rows));
        throw;
    }
    report->FinishReading();
    WriteParameters(request.definition, *report, book);
    book.Close();
    return true;
}

}  // namespace hostfw
