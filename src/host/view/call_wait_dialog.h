#pragma once

#include <QDialog>

#include "hostfw_view_export.h"

class QPushButton;

namespace hostfw {
class PendingCall;
}

namespace hostfw::view {

// The wait for a call to the application server, once it lasts: "Aguarde…", a bar that shows
// the call is alive, and Cancelar (or Esc), which gives the call up. It closes by itself when
// the call is done. Modal, so nothing else of the application runs meanwhile.
class HOSTFW_VIEW_EXPORT CallWaitDialog : public QDialog {
public:
    CallWaitDialog(PendingCall& call, QWidget* parent);
    QPushButton& CancelButton() { return *cancel_; }

    // Cancelar, Esc and closing the window all give the call up.
    void reject() override;

protected:
    void timerEvent(QTimerEvent* event) override;

private:
    PendingCall& call_;
    QPushButton* cancel_;
};

}  // namespace hostfw::view
