#pragma once

#include <QComboBox>

#include "host/ui/std_controls.h"
#include "host/view/control_view.h"

namespace hostfw::view {

// The drop-down list: choosing an item is the control's Select, so its change event runs as
// in a script; the items and the selection shown are the model's.
class ComboView : public QComboBox, public ControlView {
public:
    ComboView(TComboBox& combo, QWidget* parent);
    std::string ShownText() const override { return currentText().toStdString(); }

protected:
    void RefreshOwn() override;
    bool event(QEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void wheelEvent(QWheelEvent* event) override;

private:
    void Choose(int index);
    TComboBox& combo_;
};

}  // namespace hostfw::view
