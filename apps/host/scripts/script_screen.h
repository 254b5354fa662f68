#pragma once

#include <string>
#include <vector>

#include "host/ui/control.h"
#include "host/ui/edit.h"
#include "host/ui/form.h"
#include "host/ui/std_controls.h"
#include "module/module_host.h"

namespace host {

// Where a script's actions land and what its expectations see. Without a window the actions
// are the toolkit's user actions and only the model is checked; a desktop run sends them as
// input to the real widgets and checks that the screen shows what the model holds.
class ScriptScreen {
public:
    virtual ~ScriptScreen();

    virtual void Open(ModuleHost& module, bool modal);
    virtual void Focus(hostfw::TWinControl& control);
    virtual void Type(hostfw::TCustomEdit& edit, const std::string& text);
    virtual void PressKey(hostfw::TWinControl& control, unsigned char code);
    virtual void Click(hostfw::TControl& control);
    virtual void Select(hostfw::TComboBox& combo, int index);
    virtual void ReplaceText(hostfw::TCustomEdit& edit, const std::string& text);
    virtual void Close(hostfw::TCustomForm& form);
    virtual void Reactivate(hostfw::TCustomForm& form);
    // Chooses an entry of the main window's menus: the menu's title, then each entry down to
    // the one chosen. Only a run with windows has menus; without one it raises ScriptError.
    virtual void ChooseMenu(const std::vector<std::string>& path);

    // What an expectation reads from a control, as the screen shows it.
    enum class Shown { Text, Caption, Enabled, Checked, Focus };
    // Raises ScriptError naming both values when the screen shows other than the model's
    // `value`; `control` is nullptr for a focus that is on no control.
    virtual void Check(Shown what, const hostfw::TControl* control, const std::string& value);
    // An expectation about `control` (or the live form) just passed.
    virtual void Expected(const hostfw::TControl* control);
};

}  // namespace host
