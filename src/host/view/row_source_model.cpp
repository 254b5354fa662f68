#include "host/view/row_source_model.h"

#include <QLocale>
#include <QTimer>
#include <algorithm>
#include <numeric>
#include <string>
#include <unordered_set>

#include "host/view/row_order.h"
#include "host/view/search_text.h"

namespace hostfw::view {
namespace {

// Rows brought in when the view scrolls past the last one, and at each turn of the event loop
// while the person looks: a few milliseconds of reading, so typing and scrolling stay smooth.
constexpr std::size_t kScrollBatch = 500;
constexpr std::size_t kBackgroundBatch = 2000;

}  // namespace

RowSourceModel::RowSourceModel(const RowSource& rows, std::vector<bool> marked, bool withMarks,
                               QObject* parent)
    : QAbstractTableModel(parent), rows_(rows), marked_(std::move(marked)), withMarks_(withMarks) {
    marked_.resize(std::max(marked_.size(), rows_.KnownRowCount()), false);
    markedCount_ = static_cast<std::size_t>(std::count(marked_.begin(), marked_.end(), true));
    allRead_ = rows_.AllRowsKnown();
    if (!allRead_)
        StartReadingInBackground();
}

int RowSourceModel::rowCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(filtered_ ? shown_.size() : KnownRows());
}

bool RowSourceModel::canFetchMore(const QModelIndex& parent) const {
    return !parent.isValid() && !allRead_;
}

void RowSourceModel::fetchMore(const QModelIndex& parent) {
    if (!parent.isValid())
        ReadRows(kScrollBatch);
}

bool RowSourceModel::ReadRows(std::size_t count) {
    if (allRead_)
        return false;
    std::size_t read = 0;
    try {
        read = rows_.ReadMoreRows(count);
    } catch (const std::exception& failure) {
        readFailure_ = QString::fromStdString(failure.what());
    }
    if (read > 0) {
        // Filtered or sorted, every row was read before: new rows only come in source order.
        const auto first = static_cast<int>(KnownRows());
        beginInsertRows({}, first, first + static_cast<int>(read) - 1);
        marked_.resize(KnownRows() + read, false);
        endInsertRows();
    }
    allRead_ = read == 0 || rows_.AllRowsKnown();
    if (countChanged_)
        countChanged_();
    return !allRead_;
}

void RowSourceModel::StartReadingInBackground() {
    if (readingInBackground_)
        return;
    readingInBackground_ = true;
    QTimer::singleShot(0, this, [this] { ReadInBackground(); });
}

void RowSourceModel::ReadInBackground() {
    readingInBackground_ = false;
    if (ReadRows(kBackgroundBatch))
        StartReadingInBackground();
}

void RowSourceModel::TakeAllRowsDuringReset() {
    try {
        while (rows_.ReadMoreRows(kBackgroundBatch) > 0) {
        }
    } catch (const std::exception& failure) {
        readFailure_ = QString::fromStdString(failure.what());
    }
    marked_.resize(rows_.KnownRowCount(), false);
    allRead_ = true;
}

void RowSourceModel::ReadAllRows() {
    while (ReadRows(kBackgroundBatch)) {
    }
}

int RowSourceModel::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    return static_cast<int>(rows_.Columns().size()) + FirstDataColumn();
}

std::size_t RowSourceModel::SourceRow(int shownRow) const {
    return filtered_ ? shown_[static_cast<std::size_t>(shownRow)]
                     : OrderedRow(static_cast<std::size_t>(shownRow));
}

QVariant RowSourceModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid())
        return {};
    const std::size_t row = SourceRow(index.row());
    if (withMarks_ && index.column() == 0) {
        if (role == Qt::CheckStateRole)
            return marked_[row] ? Qt::Checked : Qt::Unchecked;
        // What a screen reader says of the mark.
        if (role == Qt::AccessibleTextRole)
            return marked_[row] ? QStringLiteral("marcada") : QStringLiteral("não marcada");
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
        return QStringLiteral("✓");
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
    ReadAllRows();
    const int count = rowCount();
    for (int shown = 0; shown < count; ++shown)
        SetMark(SourceRow(shown), mark);
    if (count > 0)
        emit dataChanged(index(0, 0), index(count - 1, 0), {Qt::CheckStateRole});
}

void RowSourceModel::sort(int column, Qt::SortOrder order) {
    if (column >= columnCount())
        return;
    const bool descending = order == Qt::DescendingOrder;
    beginResetModel();
    if (column < 0) {
        order_.clear();
        if (sourceReordered_)
            ReorderSource(std::nullopt, false);
    } else if (withMarks_ && column == 0) {
        TakeAllRowsDuringReset();
        order_.resize(marked_.size());
        std::iota(order_.begin(), order_.end(), 0u);
        std::stable_partition(order_.begin(), order_.end(),
                              [&](std::uint32_t row) { return marked_[row] != descending; });
    } else if (const auto dataColumn = static_cast<std::size_t>(column - FirstDataColumn());
               !ReorderSource(dataColumn, descending)) {
        TakeAllRowsDuringReset();
        order_ = SortedRows(rows_, dataColumn, descending);
    }
    if (filtered_) {
        // The rows the filter left, in the new order.
        std::vector<std::uint32_t> place(order_.empty() ? 0 : order_.size());
        for (std::size_t at = 0; at < order_.size(); ++at)
            place[order_[at]] = static_cast<std::uint32_t>(at);
        if (order_.empty())
            std::sort(shown_.begin(), shown_.end());
        else
            std::sort(shown_.begin(), shown_.end(),
                      [&](std::uint32_t a, std::uint32_t b) { return place[a] < place[b]; });
    }
    endResetModel();
}

bool RowSourceModel::ReorderSource(std::optional<std::size_t> column, bool descending) {
    if (!rows_.Reorders())
        return false;
    std::unordered_set<std::string> markedKeys;
    for (std::size_t row = 0; row < marked_.size(); ++row) {
        if (marked_[row])
            markedKeys.insert(rows_.Key(row));
    }
    bool reordered = false;
    try {
        reordered = rows_.Reorder(column, descending);
    } catch (const std::exception&) {
        // The rows could not be read again: the picker goes on with what the source holds now.
    }
    sourceReordered_ = reordered && column.has_value();
    order_.clear();
    // The source read afresh may again have rows left to read.
    allRead_ = rows_.AllRowsKnown();
    readFailure_.clear();
    marked_.assign(rows_.KnownRowCount(), false);
    markedCount_ = 0;
    if (!markedKeys.empty()) {
        for (std::size_t row = 0; row < marked_.size(); ++row) {
            if (markedKeys.contains(rows_.Key(row)))
                SetMark(row, true);
        }
    }
    if (filtered_) {
        TakeAllRowsDuringReset();
        ScanFilter();
    } else if (!allRead_) {
        StartReadingInBackground();
    }
    return reordered;
}

QString RowSourceModel::CountText() const {
    const QLocale locale;
    QString text = locale.toString(static_cast<qulonglong>(markedCount_)) + QStringLiteral(" de ") +
                   locale.toString(static_cast<qulonglong>(marked_.size())) +
                   (markedCount_ == 1 ? QStringLiteral(" marcada") : QStringLiteral(" marcadas"));
    if (!readFailure_.isEmpty())
        return text + QStringLiteral(" (a leitura parou: ") + readFailure_ + QStringLiteral(")");
    if (!allRead_)
        return text + QStringLiteral(" (lendo mais linhas…)");
    return text;
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
    ReadAllRows();
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
        ScanFilter();
    }
    endResetModel();
}

void RowSourceModel::ScanFilter() {
    shown_.clear();
    for (std::size_t place = 0; place < KnownRows(); ++place) {
        const std::size_t row = OrderedRow(place);
        if (RowMatches(row, needle_))
            shown_.push_back(static_cast<std::uint32_t>(row));
    }
    filtered_ = true;
}

}  // namespace hostfw::view
