#include "host/view/list_picker_dialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "host/view/command_keys.h"

namespace hostfw::view {

ListPickerDialog::ListPickerDialog(const ListPickRequest& request, QWidget* parent)
    : QDialog(parent), model_(*request.rows, request.marked, true, this), table_(*this, model_) {
    setObjectName(QStringLiteral("seletor"));
    setWindowTitle(QString::fromStdString(request.title));
    auto* layout = new QVBoxLayout(this);
    if (!request.hint.empty()) {
        auto* hint = new QLabel(QString::fromStdString(request.hint), this);
        hint->setObjectName(QStringLiteral("dica"));
        layout->addWidget(hint);
    }
    layout->addWidget(&table_.FilterBox());
    layout->addWidget(&table_.Table(), 1);
    auto* marks = new QHBoxLayout;
    markAll_ = new QPushButton(QStringLiteral("Marcar todos"), this);
    markAll_->setShortcut(keys::kMarkAll);
    markAll_->setToolTip(
        WithKey(QStringLiteral("Marcar todas as linhas mostradas"), KeyText(keys::kMarkAll)));
    clearAll_ = new QPushButton(QStringLiteral("Desmarcar todos"), this);
    clearAll_->setShortcut(keys::kClearAll);
    clearAll_->setToolTip(
        WithKey(QStringLiteral("Desmarcar todas as linhas mostradas"), KeyText(keys::kClearAll)));
    count_ = new QLabel(this);
    count_->setObjectName(QStringLiteral("contagem"));
    marks->addWidget(markAll_);
    marks->addWidget(clearAll_);
    marks->addStretch(1);
    marks->addWidget(count_);
    layout->addLayout(marks);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    ok_ = buttons->button(QDialogButtonBox::Ok);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    layout->addWidget(buttons);
    // Enter in the filter box must not confirm the picker halfway through a search.
    for (QPushButton* button : {markAll_, clearAll_, ok_})
        button->setAutoDefault(false);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(markAll_, &QPushButton::clicked, this, [this] { model_.MarkShown(true); });
    connect(clearAll_, &QPushButton::clicked, this, [this] { model_.MarkShown(false); });
    connect(&model_, &QAbstractItemModel::dataChanged, this, [this] { ShowCount(); });
    model_.OnCountChanged([this] { ShowCount(); });
    connect(&model_, &QAbstractItemModel::modelReset, this, [this] { ShowCount(); });
    connect(&table_.Table(), &QAbstractItemView::clicked, this, [this](const QModelIndex& index) {
        if (index.column() != 0)
            model_.ToggleMark(index.row());
    });
    table_.Table().installEventFilter(this);
    table_.Table().setAccessibleName(QString::fromStdString(request.title));
    ShowCount();
    resize(640, 480);
}

bool ListPickerDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &table_.Table() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Space) {
            model_.ToggleMark(table_.Table().currentIndex().row());
            return true;
        }
        // Enter in the list confirms what is marked.
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void ListPickerDialog::ShowCount() {
    count_->setText(model_.CountText());
}

std::optional<std::vector<std::size_t>> ListPickerDialog::Result() const {
    if (result() != QDialog::Accepted)
        return std::nullopt;
    return model_.MarkedRows();
}

}  // namespace hostfw::view
