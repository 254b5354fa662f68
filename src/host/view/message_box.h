#pragma once

#include <QMessageBox>
#include <string>

#include "host/ui/host_dialogs.h"

namespace hostfw::view {

// A message as the form gives it, with the icon of its kind (a refusal and a failure as
// critical, a warning as a warning, information as information) and one OK button.
QMessageBox* MakeMessageBox(const std::string& text, MessageKind kind, QWidget* parent);

}  // namespace hostfw::view
