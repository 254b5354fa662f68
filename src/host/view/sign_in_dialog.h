#pragma once

#include <QDialog>
#include <optional>
#include <string>

#include "host/data/engine.h"
#include "hostfw_view_export.h"

class QLabel;
class QLineEdit;

namespace hostfw::view {

// The person's user and password for the shared database, asked when the database wants a
// password. The reason it asks again (a refused password) is shown above the fields; the
// password is never shown.
class HOSTFW_VIEW_EXPORT SignInDialog : public QDialog {
public:
    // `failure`: why it asks again, empty the first time.
    SignInDialog(const std::string& failure, QWidget* parent);

    QLineEdit& User() { return *user_; }
    QLineEdit& Password() { return *password_; }
    QLabel& Failure() { return *failure_; }
    // What was typed once accepted: an empty user means the connection's own.
    std::optional<Credentials> Result() const;

private:
    QLabel* failure_;
    QLineEdit* user_;
    QLineEdit* password_;
};

}  // namespace hostfw::view
