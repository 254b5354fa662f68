#pragma once

#include <QDialog>

#include "hostfw_view_export.h"

namespace hostfw::view {

// "Teclas de atalho" (F1): every key of the form, the pickers and the preview, with what it
// does, read from the same keys the widgets answer.
class HOSTFW_VIEW_EXPORT ShortcutsDialog : public QDialog {
public:
    explicit ShortcutsDialog(QWidget* parent);
};

}  // namespace hostfw::view
