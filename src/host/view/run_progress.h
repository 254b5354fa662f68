#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <string>

#include "host/ui/run_step.h"
#include "hostfw_view_export.h"

namespace hostfw::view {

// What the dialog says of a step: "12.345 linhas lidas, 250 páginas montadas", then "Página
// 120 de 400 (12.345 linhas lidas)".
HOSTFW_VIEW_EXPORT QString RunStepText(const RunStep& step);

// A long report run: after half a second a dialog shows how far it got (rows read, pages laid
// out, then pages drawn of the whole count, with a bar) and a "Cancelar" button; the run asks
// it, every few rows and every page, whether to go on.
class RunProgressDialog {
public:
    explicit RunProgressDialog(int delayMs = 500) : delayMs_(delayMs) {}
    void Start(const std::string& title);
    // False once the user cancelled.
    bool Update(const RunStep& step);
    void Finish();
    QProgressDialog* Dialog() const { return dialog_; }
    void SetDelay(int delayMs) { delayMs_ = delayMs; }

private:
    int delayMs_;
    QString title_;
    QElapsedTimer clock_;
    qint64 lastPaint_ = 0;
    QPointer<QProgressDialog> dialog_;
    bool running_ = false;
};

}  // namespace hostfw::view
