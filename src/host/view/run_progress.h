#pragma once

#include <QElapsedTimer>
#include <QPointer>
#include <QProgressDialog>
#include <string>

namespace hostfw::view {

// A long report run: after half a second a dialog shows the rows read so far with a
// "Cancelar" button; the run asks it, every few rows, whether to go on.
class RunProgressDialog {
public:
    explicit RunProgressDialog(int delayMs = 500) : delayMs_(delayMs) {}
    void Start(const std::string& title);
    // False once the user cancelled.
    bool Update(long long rowsRead);
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
