#pragma once

#include <QFrame>
#include <QGroupBox>

#include "host/ui/std_controls.h"
#include "host/view/control_view.h"

namespace hostfw::view {

// A group box: its caption as the title, in the group's own font (bold where stored).
class GroupView : public QGroupBox, public ControlView {
public:
    GroupView(TGroupBox& group, QWidget* parent);
    std::string ShownText() const override;
    void SetMnemonic(int place, TWinControl& target) override;

protected:
    void RefreshOwn() override;
    // Qt's own group box would move the focus itself, and keep a click: the form decides.
    bool event(QEvent* event) override;

private:
    int mnemonic_ = -1;
    TWinControl* target_ = nullptr;
};

// A panel: a frame drawn as its outer bevel is stored (lowered, raised or none).
class PanelView : public QFrame, public ControlView {
public:
    PanelView(TPanel& panel, QWidget* parent);
};

// A bevel: a sunken line.
class BevelView : public QFrame, public ControlView {
public:
    BevelView(TBevel& bevel, QWidget* parent);
};

// Any other container: a plain area that holds its children.
class ContainerView : public QWidget, public ControlView {
public:
    ContainerView(TWinControl& container, QWidget* parent);
};

}  // namespace hostfw::view
