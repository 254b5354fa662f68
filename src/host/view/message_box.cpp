#include "host/view/message_box.h"

namespace hostfw::view {

QMessageBox* MakeMessageBox(const std::string& text, MessageKind kind, QWidget* parent) {
    QMessageBox::Icon icon = QMessageBox::Information;
    QString title = QStringLiteral("Informação");
    switch (kind) {
        case MessageKind::Information:
            break;
        case MessageKind::Warning:
            icon = QMessageBox::Warning;
            title = QStringLiteral("Aviso");
            break;
        case MessageKind::Error:
            icon = QMessageBox::Critical;
            title = QStringLiteral("Atenção");
            break;
        case MessageKind::Failure:
            icon = QMessageBox::Critical;
            title = QStringLiteral("Erro");
            break;
    }
    auto* box = new QMessageBox(icon, title, QString::fromStdString(text), QMessageBox::Ok, parent);
    box->setObjectName(QStringLiteral("mensagem"));
    box->setTextFormat(Qt::PlainText);
    return box;
}

}  // namespace hostfw::view
