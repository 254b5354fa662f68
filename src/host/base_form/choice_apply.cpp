#include "host/base_form/choice_apply.h"

#include <map>

#include "host/base_form/choice_capture.h"
#include "host/controls/date_edit_plus.h"
#include "host/core/date_rules.h"
#include "host/core/utf8.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"

namespace hostfw {

ChoiceActions::~ChoiceActions() = default;

namespace {

constexpr unsigned char kBackspace = 8;

std::string WantedText(const ControlChoice& choice, TDateTime today) {
    if (!choice.dateRule)
        return choice.text;
    const auto days = DateRuleRange(*choice.dateRule, today);
    if (!days)
        return choice.text;
    return DateToStr(choice.ruleLastDay ? days->last : days->first);
}

// Whether `component` is the kind of control `choice` was made in.
bool SameKind(const TComponent& component, const ControlChoice& choice) {
    switch (choice.kind) {
        case ControlChoice::Kind::Text:
            return dynamic_cast<const TCustomEdit*>(&component) != nullptr;
        case ControlChoice::Kind::Checked:
            return dynamic_cast<const TCheckBox*>(&component) != nullptr ||
                   dynamic_cast<const TRadioButton*>(&component) != nullptr;
        case ControlChoice::Kind::Index:
            return dynamic_cast<const TComboBox*>(&component) != nullptr;
    }
    return false;
}

// Whether the control already shows the choice (a radio left unchecked is the others' doing).
bool Shows(const TComponent& component, const ControlChoice& choice, TDateTime today) {
    switch (choice.kind) {
        case ControlChoice::Kind::Text:
            return dynamic_cast<const TCustomEdit&>(component).Text() == WantedText(choice, today);
        case ControlChoice::Kind::Checked: {
            const bool checked = dynamic_cast<const TButtonControl&>(component).Checked();
            const bool radio = dynamic_cast<const TRadioButton*>(&component) != nullptr;
            return checked == choice.checked || (radio && !choice.checked);
        }
        case ControlChoice::Kind::Index: {
            const auto& combo = dynamic_cast<const TComboBox&>(component);
            return choice.index < 0 || combo.ItemIndex() == choice.index ||
                   choice.index >= static_cast<int>(combo.Items().size());
        }
    }
    return true;
}

void SetText(TCustomEdit& edit, const std::string& wanted, ChoiceActions& actions) {
    if (dynamic_cast<TDateEditPlus*>(&edit) != nullptr) {
        actions.ReplaceText(edit, wanted);
        return;
    }
    const std::size_t typed = Utf8Decode(edit.Text()).size();
    for (std::size_t i = 0; i < typed && !actions.Stopped(); ++i)
        actions.PressKey(edit, kBackspace);
    if (!wanted.empty() && !actions.Stopped())
        actions.Type(edit, wanted);
}

void SetControl(TComponent& component, const ControlChoice& choice, ChoiceActions& actions,
                TDateTime today) {
    auto& control = dynamic_cast<TControl&>(component);
    if (!control.IsUsable() || Shows(component, choice, today))
        return;
    switch (choice.kind) {
        case ControlChoice::Kind::Text:
            SetText(dynamic_cast<TCustomEdit&>(component), WantedText(choice, today), actions);
            break;
        case ControlChoice::Kind::Checked:
            actions.Click(control);
            break;
        case ControlChoice::Kind::Index:
            actions.Select(dynamic_cast<TComboBox&>(component), choice.index);
            break;
    }
}

// The choice's parts by the name of the control each acts on.
struct Plan {
    std::map<std::string, const ControlChoice*> controls;
    std::map<std::string, const ListChoice*> lists;
};

}  // namespace

std::vector<std::string> ApplyFormChoice(TCustomForm& form, const FormChoice& choice,
                                         ChoiceActions& actions, TDateTime today) {
    Plan plan;
    for (const ControlChoice& control : choice.controls)
        plan.controls[control.control] = &control;
    for (const ListChoice& list : choice.lists)
        plan.lists[list.opener] = &list;

    // The components as the definitions made them, listed before any action: a handler that
    // runs meanwhile may create components, which must not move the walk.
    std::vector<TComponent*> components;
    ForEachOwnedComponent(form, [&](TComponent& component) { components.push_back(&component); });

    std::vector<std::string> notices;
    std::vector<std::pair<TComponent*, const ControlChoice*>> set;
    for (TComponent* each : components) {
        TComponent& component = *each;
        if (auto found = plan.controls.find(component.Name()); found != plan.controls.end()) {
            const ControlChoice* control = found->second;
            plan.controls.erase(found);
            if (!SameKind(component, *control)) {
                notices.push_back("O controle '" + component.Name() +
                                  "' mudou de tipo e ficou de fora da consulta.");
            } else {
                set.emplace_back(&component, control);
                if (!actions.Stopped())
                    SetControl(component, *control, actions, today);
            }
        }
        if (auto found = plan.lists.find(component.Name()); found != plan.lists.end()) {
            const ListChoice* list = found->second;
            plan.lists.erase(found);
            auto* opener = dynamic_cast<TControl*>(&component);
            if (opener != nullptr && opener->IsUsable() && !actions.Stopped())
                actions.Pick(*opener, list->keys, list->keysMayBeGone);
        }
    }
    // A control switched on by one that comes after it in the definition.
    for (const auto& [component, control] : set) {
        if (!actions.Stopped())
            SetControl(*component, *control, actions, today);
    }
    for (const auto& [name, control] : plan.controls) {
        notices.push_back("O controle '" + name +
                          "' não existe mais no formulário e ficou de fora da consulta.");
    }
    for (const auto& [name, list] : plan.lists) {
        notices.push_back("O botão '" + name +
                          "' não existe mais no formulário; a lista escolhida por ele ficou de "
                          "fora da consulta.");
    }
    return notices;
}

}  // namespace hostfw
