#pragma once

#include <string>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

class TControl;
class TWinControl;
class TCustomEdit;
class TComboBox;

// The actions a person takes to set a form, as whoever applies a choice carries them out:
// the toolkit's user actions without a window, real input through one. Each runs every check
// the form makes, as the person's own would.
class HOSTFW_EXPORT ChoiceActions {
public:
    virtual ~ChoiceActions();

    virtual void Type(TCustomEdit& edit, const std::string& text) = 0;
    virtual void PressKey(TWinControl& control, unsigned char code) = 0;
    // Types over the whole text, as a date is typed over.
    virtual void ReplaceText(TCustomEdit& edit, const std::string& text) = 0;
    virtual void Click(TControl& control) = 0;
    virtual void Select(TComboBox& combo, int index) = 0;
    // Clicks `opener`, and its dialog is answered with the rows of `keys`: a key no row has is
    // left out with a notice when `keysMayBeGone`, and refused otherwise.
    virtual void Pick(TControl& opener, const std::vector<std::string>& keys,
                      bool keysMayBeGone) = 0;
    // True once an action failed: the rest is not tried.
    virtual bool Stopped() const { return false; }
};

}  // namespace hostfw
