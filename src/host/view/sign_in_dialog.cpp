#include "host/view/sign_in_dialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace hostfw::view {

SignInDialog::SignInDialog(const std::string& failure, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("entrar"));
    setWindowTitle(QStringLiteral("Entrar"));
    auto* layout = new QVBoxLayout(this);
    failure_ = new QLabel(QString::fromStdString(failure), this);
    failure_->setObjectName(QStringLiteral("falha"));
    failure_->setWordWrap(true);
    failure_->setStyleSheet(QStringLiteral("color: #b00020;"));
    failure_->setVisible(!failure.empty());
    layout->addWidget(failure_);

    auto* fields = new QFormLayout;
    user_ = new QLineEdit(this);
    user_->setObjectName(QStringLiteral("usuario"));
    user_->setPlaceholderText(QStringLiteral("o da conexão"));
    password_ = new QLineEdit(this);
    password_->setObjectName(QStringLiteral("senha"));
    password_->setEchoMode(QLineEdit::Password);
    fields->addRow(QStringLiteral("&Usuário:"), user_);
    fields->addRow(QStringLiteral("&Senha:"), password_);
    layout->addLayout(fields);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("Cancelar"));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    // A refused password is typed again; the user stays as it was.
    password_->setFocus();
    if (failure.empty())
        user_->setFocus();
}

std::optional<Credentials> SignInDialog::Result() const {
    if (result() != QDialog::Accepted)
        return std::nullopt;
    return Credentials{user_->text().trimmed().toStdString(), password_->text().toStdString()};
}

}  // namespace hostfw::view
