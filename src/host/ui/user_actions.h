#pragma once

#include <cstddef>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

class TControl;
class TWinControl;
class TCustomEdit;
class TComboBox;
class TCustomForm;

// What a user does, as one API for every event source (scripts, tests, a desktop view).
// Each action is one event of the application's event loop: a silent abort ends it
// quietly, any other failure is shown once, and the action returns normally either way.
namespace UserActions {

// Clicks into a control or tabs to it.
HOSTFW_EXPORT void Focus(TWinControl& control);
// Focuses the edit, then sends each character (UTF-8 text, Latin-1 code points) through
// the key-press path.
HOSTFW_EXPORT void Type(TCustomEdit& edit, const std::string& text);
// Presses one key with the given character code in the control; Tab (9) as Tab below.
HOSTFW_EXPORT void PressKey(TWinControl& control, unsigned char code);
// Presses Tab (or Shift+Tab) in the control: an edit takes Tab through its key-press path as
// any key; otherwise the focus moves to the next (previous) control in tab order.
HOSTFW_EXPORT void Tab(TWinControl& control, bool forward);
// Moves the caret (and selection) of the focused edit, as arrow keys and the mouse do.
HOSTFW_EXPORT void MoveCaret(TCustomEdit& edit, size_t start, size_t length);
// Clicks a control: one that takes the focus is focused first, and is clicked only when the
// focus got there; a speed button is clicked without moving the focus.
HOSTFW_EXPORT void Click(TControl& control);
// Chooses an item of a combo box.
HOSTFW_EXPORT void Select(TComboBox& combo, int index);
// Replaces the whole text of an edit, as typing over a date does.
HOSTFW_EXPORT void ReplaceText(TCustomEdit& edit, const std::string& text);
// Closes the window as its close button does.
HOSTFW_EXPORT void Close(TCustomForm& form);
// The window loses the activation to another window and gets it back.
HOSTFW_EXPORT void Reactivate(TCustomForm& form);

}  // namespace UserActions
}  // namespace hostfw
