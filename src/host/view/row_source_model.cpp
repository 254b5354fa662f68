#include "host/view/row_source_model.h"

#include <algorithm>

#include "host/view/search_text.h"

namespace hostfw::view {

RowSourceModel::RowSourceModel(const RowSource& rows, std::vector<bool> marked, bool withMarks,
                               QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), marked_(std::move(marked)), withMarks_(withMarks) {
    marked_.resize(rows_.RowCount(), false);
    markedCount_ = static_cast<std::size_t>(std::count(marked_.begin(), marked_.end(), true));
}

int RowSourceModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(filtered_ ? shown_.size() : rows_.RowCount());
}

int RowSourceModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(rows_.Columns().size()) + FirstDataColumn();
}

std::size_t RowSourceModel::SourceRow(int shownRow) const {
    return filtered_ ? shown_[static_cast<std::size_t>(shownRow)]
                     : static_cast<std::size_t>(shownRow);
}

QVariant RowSourceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const std::size_t row = SourceRow(index.row());
    if (withMarks_ && index.column() == 0) {
        if (role == Qt::CheckStateRole)
            return marked_[row] ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role != Qt::DisplayRole)
        return {};
    const auto column = static_cast<std::size_t>(index.column() - FirstDataColumn());
    return QString::fromStdString(rows_.Cell(row, column));
}

QVariant RowSourceModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return {};
    if (withMarks_ && section == 0)
        return QString();
    const auto column = static_cast<std::size_t>(section - FirstDataColumn());
    return QString::fromStdString(rows_.Columns()[column].caption);
}

Qt::ItemFlags RowSourceModel::flags(const QModelIndex& index) const {
    Qt::ItemFlags flags = Qt::ItemIsEnabled | Qt::ItemIsSelectable;
    if (withMarks_ && index.column() == 0)
        flags |= Qt::ItemIsUserCheckable;
    return flags;
}

bool RowSourceModel::setData(const QModelIndex& index, const QVariant& value, int role) {
    if (!withMarks_ || index.column() != 0 || role != Qt::CheckStateRole)
        return false;
    SetMark(SourceRow(index.row()), value.value<Qt::CheckState>() == Qt::Checked);
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

void RowSourceModel::SetMark(std::size_t row, bool mark) {
    if (marked_[row] == mark)
        return;
    marked_[row] = mark;
    markedCount_ += mark ? 1 : static_cast<std::size_t>(-1);
}

void RowSourceModel::ToggleMark(int shownRow) {
    if (!withMarks_ || shownRow < 0 || shownRow >= rowCount())
        return;
    const QModelIndex mark = index(shownRow, 0);
    setData(mark, marked_[SourceRow(shownRow)] ? Qt::Unchecked : Qt::Checked, Qt::CheckStateRole);
}

void RowSourceModel::MarkShown(bool mark) {
    const int count = rowCount();
    for (int shown = 0; shown < count; ++shown)
        SetMark(SourceRow(shown), mark);
    if (count > 0)
        emit dataChanged(index(0, 0), index(count - 1, 0), {Qt::CheckStateRole});
}

std::vector<std::size_t> RowSourceModel::MarkedRows() const {
    std::vector<std::size_t> rows;
    for (std::size_t row = 0; row < marked_.size(); ++row) {
        if (marked_[row])
            rows.push_back(row);
    }
    return rows;
}

int RowSourceModel::ColumnWidthChars(int column) const {
    return rows_.Columns()[static_cast<std::size_t>(column)].width;
}

bool RowSourceModel::RowMatches(std::size_t row, std::string_view needle) const {
    // The key counts as a column even when its field is hidden: users know their codes.
    rowText_.clear();
    rows_.AppendSearchText(row, rowText_);
    FoldForSearch(rowText_);
    return HoldsFolded(rowText_, needle);
}

void RowSourceModel::SetFilter(const QString& text) {
    if (text == filter_)
        return;
    std::string needle = text.toStdString();
    FoldForSearch(needle);
    beginResetModel();
    // Typing on narrows what is already shown: only those rows need a look.
    const bool narrowing = filtered_ && !needle_.empty() && HoldsFolded(needle, needle_);
    filter_ = text;
    needle_ = std::move(needle);
    if (text.isEmpty()) {
        filtered_ = false;
        shown_.clear();
        shown_.shrink_to_fit();
    } else if (narrowing) {
        std::erase_if(shown_, [&](std::uint32_t row) { return !RowMatches(row, needle_); });
    } else {
        shown_.clear();
        for (std::size_t row = 0; row < rows_.RowCount(); ++row) {
            if (RowMatches(row, needle_))
                shown_.push_back(static_cast<std::uint32_t>(row));
        }
        filtered_ = true;
    }
    endResetModel();
}

}  // namespace hostfw::view
