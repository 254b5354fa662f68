#include "host/view/run_progress.h"

#include <QApplication>
#include <QLocale>

namespace hostfw::view {
namespace {

// How often the dialog is repainted and the Cancelar button heard.
constexpr qint64 kPaintEveryMs = 50;

}  // namespace

void RunProgressDialog::Start(const std::string& title) {
    title_ = QString::fromStdString(title);
    clock_.start();
    lastPaint_ = 0;
    running_ = true;
}

bool RunProgressDialog::Update(long long rowsRead) {
    if (!running_)
        return true;
    const qint64 elapsed = clock_.elapsed();
    if (elapsed < delayMs_)
        return true;
    if (dialog_ == nullptr) {
        dialog_ = new QProgressDialog(QString(), QStringLiteral("Cancelar"), 0, 0,
                                      QApplication::activeWindow());
        dialog_->setObjectName(QStringLiteral("progresso"));
        dialog_->setWindowTitle(title_);
        dialog_->setWindowModality(Qt::ApplicationModal);
        dialog_->setMinimumDuration(0);
        dialog_->setAutoClose(false);
        dialog_->setAutoReset(false);
        dialog_->show();
    } else if (elapsed - lastPaint_ < kPaintEveryMs) {
        return !dialog_->wasCanceled();
    }
    lastPaint_ = elapsed;
    dialog_->setLabelText(QLocale(QLocale::Portuguese, QLocale::Brazil).toString(rowsRead) +
                          QStringLiteral(" linhas lidas"));
    // The dialog is modal: only it gets the user's input while the run goes on.
    QApplication::processEvents();
    return !dialog_->wasCanceled();
}

void RunProgressDialog::Finish() {
    running_ = false;
    delete dialog_;
}

}  // namespace hostfw::view
