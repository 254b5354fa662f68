#include "host/view/row_table.h"

#include <QHeaderView>
#include <QKeyEvent>

namespace hostfw::view {
namespace {

// A column whose field has no display width is at least this wide, in characters.
constexpr int kMinimumWidthChars = 8;
// Rows read to size the columns to their content: those a person sees first.
constexpr int kRowsSized = 50;

}  // namespace

RowTable::RowTable(QWidget& owner, RowSourceModel& model) : model_(model) {
    filter_ = new QLineEdit(&owner);
    filter_->setObjectName(QStringLiteral("filtro"));
    filter_->setPlaceholderText(QStringLiteral("Filtrar em qualquer coluna"));
    filter_->setAccessibleName(QStringLiteral("Filtrar em qualquer coluna"));
    filter_->setToolTip(QStringLiteral("Digite para filtrar; ↓ ou Enter vai para a lista"));
    filter_->setClearButtonEnabled(true);
    filter_->installEventFilter(this);
    table_ = new QTableView(&owner);
    table_->setObjectName(QStringLiteral("linhas"));
    table_->setModel(&model);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    // Tab leaves the table for the buttons instead of walking its cells.
    table_->setTabKeyNavigation(false);
    table_->verticalHeader()->hide();
    const int rowHeight = table_->fontMetrics().height() + 6;
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(rowHeight);
    table_->horizontalHeader()->setStretchLastSection(true);
    // A click on a header sorts by that column; the rows start in their source order.
    table_->horizontalHeader()->setSortIndicator(-1, Qt::AscendingOrder);
    table_->setSortingEnabled(true);
    SizeColumns();
    QObject::connect(filter_, &QLineEdit::textChanged, table_, [this](const QString& text) {
        model_.SetFilter(text);
        if (model_.rowCount() > 0)
            table_->setCurrentIndex(model_.index(0, model_.FirstDataColumn()));
    });
    if (model.rowCount() > 0)
        table_->setCurrentIndex(model.index(0, model.FirstDataColumn()));
    // The person starts by typing what they look for.
    filter_->setFocus();
}

void RowTable::SizeColumns() {
    // As wide as the header, the field's display width and the first rows' cells, whichever
    // is widest, so neither a caption ("Nº Lançamento") nor a value is cut.
    const QFontMetrics cells = table_->fontMetrics();
    const QFontMetrics headers = table_->horizontalHeader()->fontMetrics();
    const int padding = 2 * table_->style()->pixelMetric(QStyle::PM_HeaderMargin) + 8;
    // Room for the sort arrow beside the caption.
    const int arrow = table_->style()->pixelMetric(QStyle::PM_HeaderMarkSize) + 4;
    const int sampled = std::min(model_.rowCount(), kRowsSized);
    for (int column = 0; column < model_.columnCount(); ++column) {
        const QString caption =
            model_.headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        int width = headers.horizontalAdvance(caption) + padding + arrow;
        if (column < model_.FirstDataColumn()) {
            table_->setColumnWidth(
                column, std::max(width, table_->verticalHeader()->defaultSectionSize() + 4));
            continue;
        }
        const int chars = model_.ColumnWidthChars(column - model_.FirstDataColumn());
        width =
            std::max(width, (chars > 0 ? chars : kMinimumWidthChars) * cells.averageCharWidth());
        for (int row = 0; row < sampled; ++row) {
            const QString text = model_.data(model_.index(row, column), Qt::DisplayRole).toString();
            width = std::max(width, cells.horizontalAdvance(text) + padding);
        }
        table_->setColumnWidth(column, width);
    }
}

bool RowTable::eventFilter(QObject* watched, QEvent* event) {
    // ↓ or Enter in the filter goes into the list, where Space marks and Enter confirms.
    if (watched == filter_ && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Down || key == Qt::Key_Return || key == Qt::Key_Enter ||
            key == Qt::Key_PageDown) {
            table_->setFocus(Qt::TabFocusReason);
            if (!table_->currentIndex().isValid() && model_.rowCount() > 0)
                table_->setCurrentIndex(model_.index(0, model_.FirstDataColumn()));
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

std::optional<std::size_t> RowTable::CurrentSourceRow() const {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return model_.SourceRow(current.row());
}

}  // namespace hostfw::view
