#pragma once

#include <QWidget>

#include "host/ui/control.h"
#include "hostfw_view_export.h"

class QKeyEvent;

namespace hostfw::view {

// The widget of one control: placed, sized, lettered and coloured from the stored definition
// once, and showing the model's state (visible, enabled, hint and the kind's own) on every
// refresh. Input on it becomes the control's user actions.
class HOSTFW_VIEW_EXPORT ControlView {
public:
    ControlView(TControl& control, QWidget& widget);
    virtual ~ControlView();
    ControlView(const ControlView&) = delete;
    ControlView& operator=(const ControlView&) = delete;

    TControl& Control() const { return control_; }
    QWidget& Widget() const { return widget_; }
    // The widget that takes the keyboard focus for the control (the edit inside a date edit).
    virtual QWidget& FocusWidget() const { return widget_; }
    void Refresh();

    // What the widget shows, for a script that checks the screen against the model.
    virtual std::string ShownText() const { return control_.Text(); }
    // Alt and the caption's letter at `place` take the focus to `target` (and tick it, when it
    // is the check box itself); the letter is drawn underlined. Only captions take one.
    virtual void SetMnemonic(int /*place*/, TWinControl& /*target*/) {}
    virtual bool ShownChecked() const { return false; }

protected:
    virtual void RefreshOwn() {}
    // The tool tip: the stored hint when the control shows hints.
    virtual QString ToolTipText() const;

private:
    TControl& control_;
    QWidget& widget_;
};

// Keys a focusable control takes from the keyboard: Tab and Shift+Tab move the focus through
// the form's tab order; everything else is the control's own business. True when handled.
bool RouteFocusKey(TWinControl& control, const QKeyEvent& event);
// A key with a character code (Backspace 8, Enter 13, a Latin-1 character its own) goes
// through the control's key path, where the toolkit decides what it does. False for keys
// without one (arrows, function keys).
bool RouteCharacterKey(TWinControl& control, const QKeyEvent& event);
// A widget that takes the focus when the form gives it, and never on its own.
void TakeFocusFromTheForm(QWidget& widget);
// A click into a focusable control asks the model for the focus (its exit and enter events run).
void RouteFocusClick(TWinControl& control);

}  // namespace hostfw::view
