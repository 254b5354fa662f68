#pragma once

#include <string>

#include "scripts/script_screen.h"

class QWidget;

namespace hostfw::view {
class ControlView;
class QtHostUi;
}  // namespace hostfw::view

namespace host {

class MainWindow;
class Screenshots;

// A script's actions as input to the real widgets (keys on the focused widget, mouse clicks,
// the window's close button, the menu to open the form) and its expectations checked against
// what the widgets show as well as against the model.
class WidgetScreen : public ScriptScreen {
public:
    WidgetScreen(MainWindow& window, hostfw::view::QtHostUi& ui, Screenshots& screenshots);

    void Open(ModuleHost& module, bool modal) override;
    void Focus(hostfw::TWinControl& control) override;
    void Type(hostfw::TCustomEdit& edit, const std::string& text) override;
    void PressKey(hostfw::TWinControl& control, unsigned char code) override;
    void Click(hostfw::TControl& control) override;
    void Select(hostfw::TComboBox& combo, int index) override;
    void ReplaceText(hostfw::TCustomEdit& edit, const std::string& text) override;
    void Close(hostfw::TCustomForm& form) override;
    void Reactivate(hostfw::TCustomForm& form) override;
    void ChooseMenu(const std::vector<std::string>& path) override;
    void Check(Shown what, const hostfw::TControl* control, const std::string& value) override;
    void Expected(const hostfw::TControl* control) override;

private:
    // The control's view; raises ScriptError when its window is not on screen.
    hostfw::view::ControlView& ViewOf(const hostfw::TControl& control) const;
    // The window of a form, the widget of any other control; raises as ViewOf does.
    QWidget& WidgetOf(const hostfw::TControl& control) const;
    // What the view shows of a control (text, caption, enabled, checked).
    static std::string ShownByView(const hostfw::view::ControlView& view, Shown what);

    MainWindow& window_;
    hostfw::view::QtHostUi& ui_;
    Screenshots& screenshots_;
};

}  // namespace host
