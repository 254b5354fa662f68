#include "scripts/script_screen.h"

#include "host/ui/user_actions.h"
#include "scripts/script_error.h"

namespace host {

namespace actions = hostfw::UserActions;

ScriptScreen::~ScriptScreen() = default;

void ScriptScreen::Open(ModuleHost& module, bool modal) {
    const hostfw::Variant parameter = modal ? hostfw::Variant(1) : hostfw::Variant::Null();
    module.IniProc(parameter);
}

void ScriptScreen::Focus(hostfw::TWinControl& control) {
    actions::Focus(control);
}

void ScriptScreen::Type(hostfw::TCustomEdit& edit, const std::string& text) {
    actions::Type(edit, text);
}

void ScriptScreen::PressKey(hostfw::TWinControl& control, unsigned char code) {
    actions::PressKey(control, code);
}

void ScriptScreen::Click(hostfw::TControl& control) {
    actions::Click(control);
}

void ScriptScreen::Select(hostfw::TComboBox& combo, int index) {
    actions::Select(combo, index);
}

void ScriptScreen::ReplaceText(hostfw::TCustomEdit& edit, const std::string& text) {
    actions::ReplaceText(edit, text);
}

void ScriptScreen::Close(hostfw::TCustomForm& form) {
    actions::Close(form);
}

void ScriptScreen::Reactivate(hostfw::TCustomForm& form) {
    actions::Reactivate(form);
}

void ScriptScreen::ChooseMenu(const std::vector<std::string>& /*path*/) {
    throw ScriptError("menu: só uma execução com janelas (--gui) tem menus.");
}

void ScriptScreen::Check(Shown /*what*/, const hostfw::TControl* /*control*/,
                         const std::string& /*value*/) {}

void ScriptScreen::Expected(const hostfw::TControl* /*control*/) {}

}  // namespace host
