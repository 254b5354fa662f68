#include "desktop/save_choice_dialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>

#include "host/core/date_rules.h"

namespace host {

SaveChoiceDialog::SaveChoiceDialog(const QString& typedDates, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("salvar_consulta"));
    setWindowTitle(QStringLiteral("Salvar consulta"));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("nome"));
    dates_ = new QComboBox(this);
    dates_->setObjectName(QStringLiteral("datas"));
    dates_->addItem(QStringLiteral("As datas digitadas (") + typedDates + QStringLiteral(")"));
    for (const std::string_view rule : hostfw::DateRuleNames())
        dates_->addItem(QString::fromUtf8(rule.data(), static_cast<qsizetype>(rule.size())));
    // As wide as its longest entry, at any screen scale.
    int widest = 0;
    for (int i = 0; i < dates_->count(); ++i)
        widest = std::max(widest, dates_->fontMetrics().horizontalAdvance(dates_->itemText(i)));
    dates_->setMinimumWidth(widest + 3 * dates_->fontMetrics().height());
    dates_->setToolTip(
        QStringLiteral("Uma regra conta do dia em que a consulta é usada: "
                       "\"Mês anterior\" é sempre o mês passado."));
    fields->addRow(QStringLiteral("&Nome:"), name_);
    fields->addRow(QStringLiteral("&Datas:"), dates_);
    layout->addLayout(fields);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    name_->setFocus();
}

std::optional<ChoiceToSave> SaveChoiceDialog::Result() const {
    const QString name = name_->text().trimmed();
    if (result() != QDialog::Accepted || name.isEmpty())
        return std::nullopt;
    ChoiceToSave choice{name.toStdString(), std::nullopt};
    if (dates_->currentIndex() > 0)
        choice.period = dates_->currentText().toStdString();
    return choice;
}

}  // namespace host
