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

QString RunStepText(const RunStep& step) {
    const QLocale locale;
    const QString rows =
        locale.toString(step.rowsRead) +
        (step.rowsRead == 1 ? QStringLiteral(" linha lida") : QStringLiteral(" linhas lidas"));
    if (step.pageCount > 0) {
        return QStringLiteral("Página ") + locale.toString(step.pagesDrawn) +
               QStringLiteral(" de ") + locale.toString(step.pageCount) + QStringLiteral(" (") +
               rows + QStringLiteral(")");
    }
    if (step.pagesLaidOut > 0) {
        return rows + QStringLiteral(", ") + locale.toString(step.pagesLaidOut) +
               (step.pagesLaidOut == 1 ? QStringLiteral(" página montada")
                                       : QStringLiteral(" páginas montadas"));
    }
    return rows;
}

bool RunProgressDialog::Update(const RunStep& step) {
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
    dialog_->setLabelText(RunStepText(step));
    // A bar once the whole count is known; until then it only shows that the run is alive.
    if (step.pageCount > 0) {
        dialog_->setMaximum(step.pageCount);
        dialog_->setValue(step.pagesDrawn);
    }
    // The dialog is modal: only it gets the user's input while the run goes on.
    QApplication::processEvents();
    return !dialog_->wasCanceled();
}

void RunProgressDialog::Finish() {
    running_ = false;
    delete dialog_;
}

}  // namespace hostfw::view
