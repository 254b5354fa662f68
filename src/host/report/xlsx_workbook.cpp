#include "host/report/xlsx_workbook.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdio>
#include <optional>
#include <vector>

#include <xlsxwriter.h>

#include "host/core/exception.h"
#include "host/core/system_error_text.h"
#include "host/core/worker_thread.h"
#include "host/report/zip_watch.h"

namespace hostfw {
namespace {

// A cell holds at most 32767 characters; a longer text is cut at a character boundary within
// as many bytes, which never holds more characters.
constexpr std::size_t kMaxCellBytes = 32767;

constexpr int kZipLevel = 2;

std::string_view CutToCell(std::string_view text) {
    if (text.size() <= kMaxCellBytes)
        return text;
    std::size_t end = kMaxCellBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

// The sheets that went into the zip whole, as far as the zip's writer saw: a sheet cut short
// does not end where a sheet ends.
std::size_t WholeSheets(const std::vector<ZipWatchOnThisThread::Entry>& parts) {
    return static_cast<std::size_t>(
        std::count_if(parts.begin(), parts.end(), [](const ZipWatchOnThisThread::Entry& part) {
            return part.name.starts_with("xl/worksheets/") && part.tail.ends_with("</worksheet>");
        }));
}

}  // namespace

// A cell on its way to the writing thread; a formula's text is in `text`, its cached value in
// `number`.
struct XlsxCell {
    enum class Kind { Text, Number, Formula };
    lxw_worksheet* sheet;
    lxw_row_t row;
    lxw_col_t column;
    Kind kind;
    XlsxStyle style;
    double number = 0;
    std::string text;
};

struct XlsxWorkbook::State {
    struct Free {
        void operator()(lxw_workbook* workbook) const { lxw_workbook_free(workbook); }
    };
    // First, so it goes after the thread that writes into it.
    std::unique_ptr<lxw_workbook, Free> book;
    std::array<lxw_format*, 6> formats{};
    std::vector<lxw_worksheet*> sheets;
    // While the rows stream, turning cells into XML is the busier half of the work; it goes on
    // beside the reading of the rows. Everything else waits for the cells given before.
    std::optional<WorkerThread<XlsxCell>> cells;

    lxw_format* Format(XlsxStyle style) const { return formats[static_cast<std::size_t>(style)]; }
};

XlsxWorkbook::XlsxWorkbook(const std::filesystem::path& file, std::string shownAs)
    : state_(std::make_unique<State>()), file_(file), shownAs_(std::move(shownAs)) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    // A report of a million rows can pass the 4 GB of a plain zip entry.
    options.use_zip64 = LXW_TRUE;
    const std::string name = file.string();
    state_->book.reset(workbook_new_opt(name.c_str(), &options));
    if (!state_->book)
        Fail("sem memória");

    auto add = [&](XlsxStyle style, bool bold, const char* numberFormat) {
        lxw_format* format = workbook_add_format(state_->book.get());
        if (bold)
            format_set_bold(format);
        if (numberFormat != nullptr)
            format_set_num_format(format, numberFormat);
        state_->formats[static_cast<std::size_t>(style)] = format;
    };
    // Plain cells take no format: one that equals the default is looked up again at every
    // cell, the slowest step of a large sheet.
    state_->formats[static_cast<std::size_t>(XlsxStyle::Plain)] = nullptr;
    add(XlsxStyle::Bold, true, nullptr);
    add(XlsxStyle::Date, false, "dd/mm/yyyy");
    add(XlsxStyle::DateTime, false, "dd/mm/yyyy hh:mm:ss");
    add(XlsxStyle::Money, false, "#,##0.00");
    add(XlsxStyle::BoldMoney, true, "#,##0.00");
    state_->cells.emplace([this](std::vector<XlsxCell>& batch) {
        for (const XlsxCell& cell : batch)
            Write(cell);
    });
}

// Never closed: the writing thread stops, the temporary files go, and whatever was written is
// the caller's to drop.
XlsxWorkbook::~XlsxWorkbook() = default;

XlsxWorkbook::Sheet XlsxWorkbook::AddSheet(const std::string& name) {
    state_->cells->Wait();
    lxw_worksheet* sheet = workbook_add_worksheet(state_->book.get(), name.c_str());
    if (sheet == nullptr)
        throw Exception("Não foi possível criar a planilha '" + name + "' em '" + shownAs_ + "'.");
    state_->sheets.push_back(sheet);
    return Sheet(*this, sheet);
}

void XlsxWorkbook::Close() {
    state_->cells->Wait();
    CheckTemporaryFiles();
    // zlib's level 2 deflates a large sheet in half the time of its default level, for a file
    // a fifth larger.
    const ZipWatchOnThisThread zip(kZipLevel);
    errno = 0;
    const lxw_error error = workbook_close(state_->book.release());
    const int systemError = errno;
    if (error != LXW_NO_ERROR) {
        const std::string reason =
            systemError != 0 ? SystemErrorText(systemError) : std::string(lxw_strerror(error));
        Fail(reason);
    }
    if (WholeSheets(zip.Entries()) != state_->sheets.size()) {
        Fail("a planilha ficou incompleta: falta espaço na pasta temporária");
    }
}

void XlsxWorkbook::Fail(const std::string& reason) const {
    throw Exception("Falha ao gravar '" + shownAs_ + "' (" + reason + ").");
}

void XlsxWorkbook::CheckTemporaryFiles() const {
    // In constant-memory mode the rows of a sheet wait in a temporary file whose writes the
    // library does not check; a failed one is kept as the file's error.
    for (lxw_worksheet* sheet : state_->sheets) {
        FILE* rows = sheet->optimize_tmpfile;
        errno = 0;
        if (rows != nullptr && (std::fflush(rows) != 0 || std::ferror(rows) != 0)) {
            const std::string reason = errno != 0 ? SystemErrorText(errno) : "erro de gravação";
            Fail(reason);
        }
    }
}

void XlsxWorkbook::Write(const XlsxCell& cell) const {
    lxw_format* format = state_->Format(cell.style);
    switch (cell.kind) {
        case XlsxCell::Kind::Text:
            Check(worksheet_write_string(cell.sheet, cell.row, cell.column, cell.text.c_str(),
                                         format));
            break;
        case XlsxCell::Kind::Number:
            Check(worksheet_write_number(cell.sheet, cell.row, cell.column, cell.number, format));
            break;
        case XlsxCell::Kind::Formula:
            Check(worksheet_write_formula_num(cell.sheet, cell.row, cell.column, cell.text.c_str(),
                                              format, cell.number));
            break;
    }
}

void XlsxWorkbook::Check(int error) const {
    if (error == LXW_ERROR_WORKSHEET_INDEX_OUT_OF_RANGE) {
        throw Exception("O relatório não cabe em uma planilha (no máximo " +
                        std::to_string(LXW_ROW_MAX) + " linhas).");
    }
    if (error != LXW_NO_ERROR) {
        const int systemError = errno;
        const std::string reason = systemError != 0
                                       ? SystemErrorText(systemError)
                                       : std::string(lxw_strerror(static_cast<lxw_error>(error)));
        Fail(reason);
    }
}

void XlsxWorkbook::Sheet::Text(int row, int column, std::string_view text, XlsxStyle style) {
    // Written as a string whatever it reads like, so "=1+1" is never run as a formula.
    Give(XlsxCell{sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                  XlsxCell::Kind::Text, style, 0, std::string(CutToCell(text))});
}

void XlsxWorkbook::Sheet::Number(int row, int column, double value, XlsxStyle style) {
    Give(XlsxCell{sheet_,
                  static_cast<lxw_row_t>(row),
                  static_cast<lxw_col_t>(column),
                  XlsxCell::Kind::Number,
                  style,
                  value,
                  {}});
}

void XlsxWorkbook::Sheet::Formula(int row, int column, const std::string& formula, double cached,
                                  XlsxStyle style) {
    Give(XlsxCell{sheet_, static_cast<lxw_row_t>(row), static_cast<lxw_col_t>(column),
                  XlsxCell::Kind::Formula, style, cached, formula});
}

void XlsxWorkbook::Sheet::Give(XlsxCell cell) {
    book_.state_->cells->Give(std::move(cell));
}

void XlsxWorkbook::Sheet::ColumnWidth(int column, double width) {
    book_.state_->cells->Wait();
    book_.Check(worksheet_set_column(sheet_, column, column, width, nullptr));
}

void XlsxWorkbook::Sheet::FreezeRowsAbove(int row) {
    book_.state_->cells->Wait();
    worksheet_freeze_panes(sheet_, row, 0);
}

void XlsxWorkbook::Sheet::PrintOnA4(bool landscape, int row) {
    constexpr std::uint8_t kA4 = 9;
    book_.state_->cells->Wait();
    worksheet_set_paper(sheet_, kA4);
    if (landscape)
        worksheet_set_landscape(sheet_);
    else
        worksheet_set_portrait(sheet_);
    worksheet_fit_to_pages(sheet_, 1, 0);  // as many pages down as it takes
    if (row > 0)
        book_.Check(worksheet_repeat_rows(sheet_, 0, static_cast<lxw_row_t>(row - 1)));
}

void XlsxWorkbook::Sheet::StartAutoFilter(int lastColumn) {
    book_.state_->cells->Wait();
    book_.Check(worksheet_autofilter(sheet_, 0, 0, 0, lastColumn));
}

void XlsxWorkbook::Sheet::EndAutoFilter(int lastRow) {
    book_.state_->cells->Wait();
    // The library checks a filter's range against the rows already written, and offers no way
    // to grow it; the range is only read when the file is put together at Close.
    sheet_->autofilter.last_row = static_cast<lxw_row_t>(lastRow);
}

}  // namespace hostfw
