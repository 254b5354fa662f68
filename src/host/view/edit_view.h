#pragma once

#include <QLineEdit>

#include "host/ui/edit.h"
#include "host/view/control_view.h"

namespace hostfw::view {

// An edit: every key typed goes through the control's key-press path (key filter, upper case,
// maximum length), so the widget's text is always the model's; the caret follows the model too.
class EditView : public QLineEdit, public ControlView {
public:
    EditView(TCustomEdit& edit, QWidget* parent);
    std::string ShownText() const override { return text().toStdString(); }

protected:
    void RefreshOwn() override;
    bool event(QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    void TypeText(const QString& text);
    void PressKey(unsigned char code);
    // The caret and selection the user made with the mouse or the arrows, told to the model.
    void SyncSelection();

    TCustomEdit& edit_;
    bool entering_ = false;  // the mouse button went down to bring the focus here
};

}  // namespace hostfw::view
