#include "host/report/xlsx_workbook.h"

#include <array>
#include <cerrno>

#include <xlsxwriter.h>

#include "host/core/exception.h"
#include "host/core/system_error_text.h"

namespace hostfw {
namespace {

// A cell holds at most 32767 characters; a longer text is cut at a character boundary within
// as many bytes, which never holds more characters.
constexpr std::size_t kMaxCellBytes = 32767;

std::string_view CutToCell(std::string_view text) {
    if (text.size() <= kMaxCellBytes)
        return text;
    std::size_t end = kMaxCellBytes;
    while (end > 0 && (static_cast<unsigned char>(text[end]) & 0xC0) == 0x80)
        --end;
    return text.substr(0, end);
}

}  // namespace

struct XlsxWorkbook::State {
    lxw_workbook* book = nullptr;
    std::array<lxw_format*, 6> formats{};

    lxw_format* Format(XlsxStyle style) const { return formats[static_cast<std::size_t>(style)]; }
};

XlsxWorkbook::XlsxWorkbook(const std::filesystem::path& file, std::string shownAs)
    : state_(std::make_unique<State>()), shownAs_(std::move(shownAs)) {
    lxw_workbook_options options{};
    options.constant_memory = LXW_TRUE;
    // A report of a million rows can pass the 4 GB of a plain zip entry.
    options.use_zip64 = LXW_TRUE;
    const std::string name = file.string();
    state_->book = workbook_new_opt(name.c_str(), &options);
    if (state_->book == nullptr)
        throw Exception("Falha ao gravar '" + shownAs_ + "' (sem memória).");

    auto add = [&](XlsxStyle style, bool bold, const char* numberFormat) {
        lxw_format* format = workbook_add_format(state_->book);
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
}

XlsxWorkbook::~XlsxWorkbook() {
    // Never closed: the temporary files go, and whatever was written is the caller's to drop.
    if (state_->book != nullptr)
        lxw_workbook_free(state_->book);
}

XlsxWorkbook::Sheet XlsxWorkbook::AddSheet(const std::string& name) {
    lxw_worksheet* sheet = workbook_add_worksheet(state_->book, name.c_str());
    if (sheet == nullptr)
        throw Exception("Não foi possível criar a planilha '" + name + "' em '" + shownAs_ + "'.");
    return Sheet(*this, sheet);
}

void XlsxWorkbook::Close() {
    errno = 0;
    const lxw_error error = workbook_close(state_->book);
    const int systemError = errno;
    state_->book = nullptr;
    if (error == LXW_NO_ERROR)
        return;
    const std::string reason =
        systemError != 0 ? SystemErrorText(systemError) : std::string(lxw_strerror(error));
    throw Exception("Falha ao gravar '" + shownAs_ + "' (" + reason + ").");
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
        throw Exception("Falha ao gravar '" + shownAs_ + "' (" + reason + ").");
    }
}

void XlsxWorkbook::Sheet::Text(int row, int column, std::string_view text, XlsxStyle style) {
    // Written as a string whatever it reads like, so "=1+1" is never run as a formula.
    const std::string cell(CutToCell(text));
    book_.Check(
        worksheet_write_string(sheet_, row, column, cell.c_str(), book_.state_->Format(style)));
}

void XlsxWorkbook::Sheet::Number(int row, int column, double value, XlsxStyle style) {
    book_.Check(worksheet_write_number(sheet_, row, column, value, book_.state_->Format(style)));
}

void XlsxWorkbook::Sheet::Formula(int row, int column, const std::string& formula, double cached,
                                  XlsxStyle style) {
    book_.Check(worksheet_write_formula_num(sheet_, row, column, formula.c_str(),
                                            book_.state_->Format(style), cached));
}

void XlsxWorkbook::Sheet::ColumnWidth(int column, double width) {
    book_.Check(worksheet_set_column(sheet_, column, column, width, nullptr));
}

void XlsxWorkbook::Sheet::FreezeRowsAbove(int row) {
    worksheet_freeze_panes(sheet_, row, 0);
}

void XlsxWorkbook::Sheet::StartAutoFilter(int lastColumn) {
    book_.Check(worksheet_autofilter(sheet_, 0, 0, 0, lastColumn));
}

void XlsxWorkbook::Sheet::EndAutoFilter(int lastRow) {
    // The library checks a filter's range against the rows already written, and offers no way
    // to grow it; the range is only read when the file is put together at Close.
    sheet_->autofilter.last_row = static_cast<lxw_row_t>(lastRow);
}

}  // namespace hostfw
