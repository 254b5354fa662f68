#include "choices/choice_on_screen.h"

#include "host/base_form/choice_apply.h"
#include "module/form_lookup.h"

namespace host {
namespace {

// A choice's actions as a script's lines would do them: on the model without a window, as
// real input through one; a dialog's answer waits in the scripted UI as a `pick` line's does.
class ScreenChoiceActions : public hostfw::ChoiceActions {
public:
    explicit ScreenChoiceActions(ScriptContext& context) : context_(context) {}

    void Type(hostfw::TCustomEdit& edit, const std::string& text) override {
        context_.screen.Type(edit, text);
    }
    void PressKey(hostfw::TWinControl& control, unsigned char code) override {
        context_.screen.PressKey(control, code);
    }
    void ReplaceText(hostfw::TCustomEdit& edit, const std::string& text) override {
        context_.screen.ReplaceText(edit, text);
    }
    void Click(hostfw::TControl& control) override { context_.screen.Click(control); }
    void Select(hostfw::TComboBox& combo, int index) override {
        context_.screen.Select(combo, index);
    }
    void Pick(hostfw::TControl& opener, const std::vector<std::string>& keys,
              bool keysMayBeGone) override {
        context_.ui.QueuePick({context_.ui.Status().Line(), keys, keysMayBeGone});
        context_.screen.Click(opener);
    }
    bool Stopped() const override { return context_.ui.Status().Failed(); }

private:
    ScriptContext& context_;
};

}  // namespace

void ApplyChoice(ScriptContext& context, const hostfw::FormChoice& choice) {
    ScreenChoiceActions actions(context);
    for (const std::string& notice :
         hostfw::ApplyFormChoice(LiveForm(context.Application()), choice, actions, hostfw::Now()))
        context.ui.ShowMessage(notice, hostfw::MessageKind::Warning);
}

}  // namespace host
