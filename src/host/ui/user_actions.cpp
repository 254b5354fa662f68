#include "host/ui/user_actions.h"

#include "host/core/exception.h"
#include "host/core/utf8.h"
#include "host/ui/application.h"
#include "host/ui/dialog_opener.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"

namespace hostfw::UserActions {
namespace {

// A user can only act on a window that is shown.
void RequireShowing(const TControl& control) {
    const TCustomForm* form = GetParentForm(control);
    if (form == nullptr || !form->Showing()) {
        throw Exception("O controle '" + control.Name() + "' não está em uma janela aberta.");
    }
}

// A user cannot reach a disabled or hidden control; the attempt changes nothing.
bool Reachable(const TControl& control) {
    return control.IsUsable();
}

void FocusNow(TWinControl& control) {
    RequireShowing(control);
    if (!control.CanFocus()) {
        throw Exception("O controle '" + control.Name() + "' não pode receber o foco.");
    }
    control.SetFocus();
}

}  // namespace

void Focus(TWinControl& control) {
    Application().Dispatch([&] { FocusNow(control); });
}

void Type(TCustomEdit& edit, const std::string& text) {
    Application().Dispatch([&] {
        FocusNow(edit);
        for (char32_t cp : Utf8Decode(text)) {
            if (cp > 0xFF) {
                throw Exception("O caractere U+" + std::to_string(static_cast<unsigned>(cp)) +
                                " não pode ser digitado neste campo.");
            }
            if (!edit.Focused())
                return;  // a key moved the focus away: the rest goes nowhere
            char key = static_cast<char>(static_cast<unsigned char>(cp));
            edit.KeyPress(key);
        }
    });
}

void PressKey(TWinControl& control, unsigned char code) {
    if (code == '\t') {
        Tab(control, true);
        return;
    }
    Application().Dispatch([&] {
        FocusNow(control);
        const DialogOpenerScope opener(control);
        char key = static_cast<char>(code);
        control.KeyPress(key);
    });
}

void Tab(TWinControl& control, bool forward) {
    Application().Dispatch([&] {
        FocusNow(control);
        if (forward && dynamic_cast<TCustomEdit*>(&control) != nullptr) {
            char key = '\t';
            control.KeyPress(key);
        } else if (TCustomForm* form = GetParentForm(control)) {
            form->SelectNext(&control, forward);
        }
    });
}

void MoveCaret(TCustomEdit& edit, size_t start, size_t length) {
    if (edit.Focused())
        edit.SetSelection(start, length);
}

void Click(TControl& control) {
    Application().Dispatch([&] {
        RequireShowing(control);
        if (!Reachable(control))
            return;
        if (auto* win = dynamic_cast<TWinControl*>(&control);
            win != nullptr && win->AcceptsFocus()) {
            win->SetFocus();
            if (!win->Focused())
                return;
        }
        const DialogOpenerScope opener(control);
        control.Click();
    });
}

void Select(TComboBox& combo, int index) {
    Application().Dispatch([&] {
        FocusNow(combo);
        if (combo.Focused())
            combo.Choose(index);
    });
}

void ReplaceText(TCustomEdit& edit, const std::string& text) {
    Application().Dispatch([&] {
        FocusNow(edit);
        if (edit.Focused())
            edit.SetText(text);
    });
}

void Close(TCustomForm& form) {
    Application().Dispatch([&] { form.Close(); });
}

void Reactivate(TCustomForm& form) {
    Application().Dispatch([&] {
        form.Deactivate();
        form.Activate();
    });
}

}  // namespace hostfw::UserActions
