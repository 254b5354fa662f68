#pragma once

#include <optional>
#include <string>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

// What a person set in one input control of a form, by the control's name.
struct ControlChoice {
    enum class Kind { Text, Checked, Index };
    std::string control;
    Kind kind = Kind::Text;
    std::string text;  // Text: as typed; "" left blank
    bool checked = false;
    int index = -1;  // Index: the combo box's item
    // Text of a date edit counted at each use from a date rule ("Mês anterior"): the rule's
    // first day, or its last.
    std::optional<std::string> dateRule;
    bool ruleLastDay = false;
};

HOSTFW_EXPORT ControlChoice TextChoice(const std::string& control, const std::string& text);
HOSTFW_EXPORT ControlChoice CheckedChoice(const std::string& control, bool checked);
HOSTFW_EXPORT ControlChoice IndexChoice(const std::string& control, int index);

// A list a person picked through a dialog: the control whose click opened it and the keys of
// the rows picked.
struct ListChoice {
    std::string opener;
    std::vector<std::string> keys;
    // Kept from an earlier day: a key no longer offered is left out with a notice. Keys given
    // now (the command line) must all be offered.
    bool keysMayBeGone = true;
};

// A person's choices in a form as a value: every input control of its stored definition and
// every list picked through its dialogs, each in the form's own order.
struct FormChoice {
    std::vector<ControlChoice> controls;
    std::vector<ListChoice> lists;
};

// The choice as the versioned JSON text it is kept as, and back. A text of no version (as
// kept before choices were typed) reads as nullopt, for its reader to convert; a text that
// is not a sound choice raises an Exception naming `name`.
HOSTFW_EXPORT std::string FormChoiceText(const FormChoice& choice);
HOSTFW_EXPORT std::optional<FormChoice> ParseFormChoiceText(const std::string& text,
                                                            const std::string& name);

// The choice for `control`; nullptr when the choice has none.
HOSTFW_EXPORT ControlChoice* FindControlChoice(FormChoice& choice, const std::string& control);
HOSTFW_EXPORT const ControlChoice* FindControlChoice(const FormChoice& choice,
                                                     const std::string& control);

}  // namespace hostfw
