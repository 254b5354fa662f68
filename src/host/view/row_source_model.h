#pragma once

#include <QAbstractTableModel>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "host/ui/row_source.h"
#include "hostfw_view_export.h"

namespace hostfw::view {

// The rows of a picker for a table view, read from their source only as they are shown,
// narrowed by a filter that matches any column and put in the order of a column (a click on
// its header). With marks, a first column of check boxes. A source that reads its rows as they
// are asked for (a long query) is shown at once with the rows at hand; the others come as the
// view scrolls to them and, a batch at a time, while the person looks. A filter, a sort or a
// mark of every row reads them all first.
class HOSTFW_VIEW_EXPORT RowSourceModel : public QAbstractTableModel {
public:
    // `marked` holds one flag per source row, or fewer: the rows past its end start unmarked.
    RowSourceModel(const RowSource& rows, std::vector<bool> marked, bool withMarks,
                   QObject* parent = nullptr);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    bool canFetchMore(const QModelIndex& parent) const override;
    void fetchMore(const QModelIndex& parent) override;
    // By a column's values (the marks: marked rows first); a column below 0 puts the rows
    // back in their source order. A source that can sorts its rows itself (a query, in the
    // database), so that nothing of them is read into memory to sort; the marks stay with their
    // keys. The filter keeps working on the new order.
    void sort(int column, Qt::SortOrder order) override;

    const RowSource& Source() const { return rows_; }
    // Shows only the rows with a cell (or key) that holds `text`, letter case and accents
    // ignored; "" shows all.
    void SetFilter(const QString& text);
    const QString& Filter() const { return filter_; }
    // The source row of a shown row.
    std::size_t SourceRow(int shownRow) const;
    // Marks or clears every row shown (not the rows the filter hides).
    void MarkShown(bool mark);
    void ToggleMark(int shownRow);
    std::size_t MarkedCount() const { return markedCount_; }
    // The marked source rows, in source order.
    std::vector<std::size_t> MarkedRows() const;
    // "3 de 1.250 marcadas": the marks against all rows, the filter aside; while rows are still
    // being read, against those read so far, and saying so.
    QString CountText() const;
    // Whether every row of the source is in the model.
    bool AllRowsRead() const { return allRead_; }
    // The source's rows not yet in the model, brought in; a read that fails stops there and
    // CountText names the failure.
    void ReadAllRows();
    // Called when CountText changes because rows came or reading ended.
    void OnCountChanged(std::function<void()> listener) { countChanged_ = std::move(listener); }
    // The table's first column of data (after the marks).
    int FirstDataColumn() const { return withMarks_ ? 1 : 0; }
    // Characters of a source column's display width; 0 when the field has none.
    int ColumnWidthChars(int column) const;

private:
    // Up to `count` more rows from the source, appended; false when none came.
    bool ReadRows(std::size_t count);
    // One batch read while the person looks at each turn of the event loop, until none is left.
    void StartReadingInBackground();
    void ReadInBackground();
    // The same, all of them, inside a reset of the model (no row-by-row signals then).
    void TakeAllRowsDuringReset();
    std::size_t KnownRows() const { return marked_.size(); }
    bool RowMatches(std::size_t row, std::string_view needle) const;
    // Shows the rows that match the filter, looked through in the current order.
    void ScanFilter();
    // Has the source put its rows in a column's order (nullopt: its own), when it can; the
    // marks follow their rows' keys. False when the rows are in their own order then.
    bool ReorderSource(std::optional<std::size_t> column, bool descending);
    void SetMark(std::size_t row, bool mark);
    // The source row at a place of the current order (before the filter).
    std::size_t OrderedRow(std::size_t place) const {
        return order_.empty() ? place : order_[place];
    }

    const RowSource& rows_;
    std::vector<bool> marked_;
    bool withMarks_;
    std::size_t markedCount_ = 0;
    QString filter_;
    std::string needle_;  // the filter folded for search
    bool filtered_ = false;
    mutable std::string rowText_;       // one row's search text, reused
    std::vector<std::uint32_t> shown_;  // source rows shown while filtered
    std::vector<std::uint32_t> order_;  // source rows in the order sorted; empty: source order
    bool sourceReordered_ = false;      // the source holds its rows in a column's order
    bool allRead_ = false;              // no row of the source is left to read
    QString readFailure_;               // why reading stopped short; "" when it did not
    std::function<void()> countChanged_;
    bool readingInBackground_ = false;  // a batch is planned for the next turn
};

}  // namespace hostfw::view
