#include "host/view/row_table.h"

#include <QHeaderView>

namespace hostfw::view {
namespace {

constexpr int kDefaultWidthChars = 20;

}  // namespace

RowTable::RowTable(QWidget& owner, RowSourceModel& model) : model_(model) {
    filter_ = new QLineEdit(&owner);
    filter_->setObjectName(QStringLiteral("filtro"));
    filter_->setPlaceholderText(QStringLiteral("Filtrar em qualquer coluna"));
    filter_->setClearButtonEnabled(true);
    table_ = new QTableView(&owner);
    table_->setObjectName(QStringLiteral("linhas"));
    table_->setModel(&model);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->setAlternatingRowColors(true);
    table_->setWordWrap(false);
    table_->verticalHeader()->hide();
    const int rowHeight = table_->fontMetrics().height() + 6;
    table_->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    table_->verticalHeader()->setDefaultSectionSize(rowHeight);
    table_->horizontalHeader()->setStretchLastSection(true);
    const int charWidth = table_->fontMetrics().averageCharWidth();
    if (model.FirstDataColumn() == 1)
        table_->setColumnWidth(0, rowHeight + 4);
    for (int column = model.FirstDataColumn(); column < model.columnCount(); ++column) {
        const int chars = model.ColumnWidthChars(column - model.FirstDataColumn());
        table_->setColumnWidth(column, (chars > 0 ? chars : kDefaultWidthChars) * charWidth + 12);
    }
    QObject::connect(filter_, &QLineEdit::textChanged, table_, [this](const QString& text) {
        model_.SetFilter(text);
        if (model_.rowCount() > 0)
            table_->setCurrentIndex(model_.index(0, model_.FirstDataColumn()));
    });
    if (model.rowCount() > 0)
        table_->setCurrentIndex(model.index(0, model.FirstDataColumn()));
}

std::optional<std::size_t> RowTable::CurrentSourceRow() const {
    const QModelIndex current = table_->currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return model_.SourceRow(current.row());
}

}  // namespace hostfw::view
