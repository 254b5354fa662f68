#include "host/view/call_wait_dialog.h"

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "host/net/pending_call.h"

namespace hostfw::view {
namespace {

// How often the dialog looks whether the call is done.
constexpr int kLookEveryMs = 25;

}  // namespace

CallWaitDialog::CallWaitDialog(PendingCall& call, QWidget* parent) : QDialog(parent), call_(call) {
    setObjectName(QStringLiteral("aguarde"));
    setWindowTitle(QStringLiteral("Aguarde"));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QLabel(QStringLiteral("Consultando o servidor de aplicação…"), this);
    layout->addWidget(text);
    auto* bar = new QProgressBar(this);
    bar->setRange(0, 0);  // no count to show: the bar only moves
    bar->setTextVisible(false);
    bar->setAccessibleName(QStringLiteral("Consulta em andamento"));
    layout->addWidget(bar);
    cancel_ = new QPushButton(QStringLiteral("Cancelar"), this);
    cancel_->setObjectName(QStringLiteral("cancelar"));
    cancel_->setToolTip(QStringLiteral("Desistir da consulta (Esc)"));
    layout->addWidget(cancel_, 0, Qt::AlignRight);
    connect(cancel_, &QPushButton::clicked, this, &CallWaitDialog::reject);
    cancel_->setFocus();
    startTimer(kLookEveryMs);
}

void CallWaitDialog::reject() {
    call_.Cancel();
    QDialog::reject();
}

void CallWaitDialog::timerEvent(QTimerEvent* /*event*/) {
    if (call_.Done() && isVisible())
        accept();
}

}  // namespace hostfw::view
