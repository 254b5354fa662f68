#include "host/base_form/choice_capture.h"

#include "host/ui/edit.h"
#include "host/ui/std_controls.h"

namespace hostfw {
namespace {

// The choice a person makes in `component`; nullopt for a component that takes none.
std::optional<ControlChoice> ChoiceIn(const TComponent& component) {
    ControlChoice choice;
    choice.control = component.Name();
    if (const auto* edit = dynamic_cast<const TCustomEdit*>(&component)) {
        if (edit->ReadOnly())
            return std::nullopt;
        choice.kind = ControlChoice::Kind::Text;
        choice.text = edit->Text();
    } else if (const auto* box = dynamic_cast<const TCheckBox*>(&component)) {
        choice.kind = ControlChoice::Kind::Checked;
        choice.checked = box->Checked();
    } else if (const auto* radio = dynamic_cast<const TRadioButton*>(&component)) {
        choice.kind = ControlChoice::Kind::Checked;
        choice.checked = radio->Checked();
    } else if (const auto* combo = dynamic_cast<const TComboBox*>(&component)) {
        choice.kind = ControlChoice::Kind::Index;
        choice.index = combo->ItemIndex();
    } else {
        return std::nullopt;
    }
    return choice;
}

const PickedList* PickedThrough(const TCustomForm& form, const std::string& opener) {
    for (const PickedList& picked : form.PickedLists()) {
        if (picked.opener == opener)
            return &picked;
    }
    return nullptr;
}

}  // namespace

void ForEachOwnedComponent(const TComponent& owner, const std::function<void(TComponent&)>& visit) {
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        TComponent& component = *owner.Components(i);
        visit(component);
        ForEachOwnedComponent(component, visit);
    }
}

FormChoice CaptureFormChoice(const TCustomForm& form) {
    FormChoice choice;
    ForEachOwnedComponent(form, [&](TComponent& component) {
        if (auto control = ChoiceIn(component))
            choice.controls.push_back(std::move(*control));
        const PickedList* picked = PickedThrough(form, component.Name());
        const auto* opener = dynamic_cast<const TControl*>(&component);
        if (picked != nullptr && opener != nullptr && opener->IsUsable())
            choice.lists.push_back({picked->opener, picked->keys, true});
    });
    return choice;
}

}  // namespace hostfw
