#include "host/view/row_search_dialog.h"

#include <QDialogButtonBox>
#include <QKeyEvent>
#include <QPushButton>
#include <QVBoxLayout>

namespace hostfw::view {

RowSearchDialog::RowSearchDialog(const RowSearchRequest& request, QWidget* parent)
    : QDialog(parent), model_(*request.rows, {}, false, this), table_(*this, model_) {
    setObjectName(QStringLiteral("pesquisa"));
    setWindowTitle(QString::fromStdString(request.title));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(&table_.FilterBox());
    layout->addWidget(&table_.Table(), 1);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    layout->addWidget(buttons);
    const auto choose = [this] {
        chosen_ = table_.CurrentSourceRow();
        if (chosen_)
            accept();
    };
    connect(buttons, &QDialogButtonBox::accepted, this, choose);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(&table_.Table(), &QAbstractItemView::doubleClicked, this, choose);
    table_.Table().installEventFilter(this);
    table_.Table().setAccessibleName(QString::fromStdString(request.title));
    resize(520, 420);
}

bool RowSearchDialog::eventFilter(QObject* watched, QEvent* event) {
    if (watched == &table_.Table() && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            chosen_ = table_.CurrentSourceRow();
            if (chosen_)
                accept();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

std::optional<std::size_t> RowSearchDialog::Result() const {
    if (result() != QDialog::Accepted)
        return std::nullopt;
    return chosen_;
}

}  // namespace hostfw::view
