#pragma once

#include <filesystem>
#include <memory>
#include <string>
#include <string_view>

struct lxw_worksheet;

namespace hostfw {

struct XlsxCell;

// The cell looks the workbook offers; each is one format of the file.
enum class XlsxStyle { Plain, Bold, Date, DateTime, Money, BoldMoney };

// A spreadsheet file written with libxlsxwriter in its constant-memory mode: rows go to the
// disk as soon as the next row starts, so a sheet of any length costs the same memory. Rows of a
// sheet must therefore be written top to bottom. Cells are written on a thread of the
// workbook's own, a bounded number of them waiting. Failures raise an Exception naming the file
// as `shownAs`; a cell's failure may be raised by a later call.
class XlsxWorkbook {
public:
    XlsxWorkbook(const std::filesystem::path& file, std::string shownAs);
    ~XlsxWorkbook();
    XlsxWorkbook(const XlsxWorkbook&) = delete;
    XlsxWorkbook& operator=(const XlsxWorkbook&) = delete;

    class Sheet {
    public:
        void Text(int row, int column, std::string_view text, XlsxStyle style = XlsxStyle::Plain);
        void Number(int row, int column, double value, XlsxStyle style);
        // `formula` without the leading "="; `cached` is what a reader that does not
        // calculate sees.
        void Formula(int row, int column, const std::string& formula, double cached,
                     XlsxStyle style);
        void ColumnWidth(int column, double width);
        // The rows above `row` stay in sight while scrolling.
        void FreezeRowsAbove(int row);
        // Printed on A4, every column on one page's width, the rows above `row` again at the
        // top of each page.
        void PrintOnA4(bool landscape, int row);
        // A filter on the heading row (row 0) over the columns up to `lastColumn`; set before
        // the rows, since in constant-memory mode a range can only start on a row not yet
        // written.
        void StartAutoFilter(int lastColumn);
        // Stretches the filter down to `lastRow`, once the rows are written.
        void EndAutoFilter(int lastRow);

    private:
        friend class XlsxWorkbook;
        Sheet(XlsxWorkbook& book, lxw_worksheet* sheet) : book_(book), sheet_(sheet) {}
        void Give(XlsxCell cell);
        XlsxWorkbook& book_;
        lxw_worksheet* sheet_;
    };

    Sheet AddSheet(const std::string& name);
    // Writes the file out and reads it back; raises when it is not whole.
    void Close();

private:
    friend class Sheet;
    void Write(const XlsxCell& cell) const;
    void Check(int error) const;
    void CheckTemporaryFiles() const;
    [[noreturn]] void Fail(const std::string& reason) const;

    struct State;
    std::unique_ptr<State> state_;
    std::filesystem::path file_;
    std::string shownAs_;
};

}  // namespace hostfw
