#pragma once

#include <QCheckBox>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QRadioButton>
#include <type_traits>

#include "host/ui/std_controls.h"
#include "host/view/control_view.h"
#include "host/view/mnemonics.h"

namespace hostfw::view {

// The control's click as a user action, the views refreshed afterwards.
void ClickControl(TControl& control);

// The arrow keys on a radio button go to the previous or next radio button of its group, in
// tab order, and choose it, as the focus and a click would (its exit and click events run).
// False for any other key or control.
bool MoveInGroup(TButtonControl& control, const QKeyEvent& event);

// A radio button or check box: pressing the mouse on it asks for the focus (exit events and
// all), releasing it there is the control's click; keys go through the control's key path
// (the space bar clicks). Qt never toggles it, so the checked state is always the model's,
// siblings of a radio button included.
template <class Button, class Box>
class ToggleView : public Button, public ControlView {
public:
    ToggleView(Box& box, QWidget* parent) : Button(parent), ControlView(box, *this), box_(box) {
        TakeFocusFromTheForm(*this);
        // Exclusive radio buttons are what assistive technology calls radio buttons; Qt never
        // toggles them here (its clicks and keys go to the form), so the state stays the model's.
        this->setAutoExclusive(std::is_same_v<Button, QRadioButton>);
    }
    bool ShownChecked() const override { return this->isChecked(); }
    std::string ShownText() const override { return WithoutMnemonic(this->text()).toStdString(); }
    void SetMnemonic(int place, TWinControl& /*target*/) override {
        mnemonic_ = place;
        RefreshOwn();
    }

protected:
    void RefreshOwn() override {
        const QString caption = QString::fromStdString(box_.Caption());
        this->setText(mnemonic_ >= 0 ? WithMnemonic(caption, mnemonic_) : caption);
        this->setChecked(box_.Checked());
    }
    bool event(QEvent* event) override {
        // Tab never reaches keyPressEvent otherwise: Qt moves the focus itself.
        if (event->type() == QEvent::KeyPress &&
            RouteFocusKey(box_, *static_cast<QKeyEvent*>(event)))
            return true;
        // Alt+letter ticks the box as a click would, through the form.
        if (event->type() == QEvent::Shortcut) {
            GoToMnemonicTarget(box_, true);
            return true;
        }
        return Button::event(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        event->accept();
        RouteFocusClick(box_);
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        // A press whose focus the form refused clicks nothing.
        if (box_.Focused() && this->rect().contains(event->position().toPoint()))
            ClickControl(box_);
    }
    void keyPressEvent(QKeyEvent* event) override {
        if (MoveInGroup(box_, *event))
            return;
        if (!RouteCharacterKey(box_, *event))
            event->ignore();
    }
    void keyReleaseEvent(QKeyEvent* event) override { event->accept(); }

private:
    Box& box_;
    int mnemonic_ = -1;
};

using RadioView = ToggleView<QRadioButton, TRadioButton>;
using CheckView = ToggleView<QCheckBox, TCheckBox>;

}  // namespace hostfw::view
