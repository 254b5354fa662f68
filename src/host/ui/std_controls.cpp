#include "host/ui/std_controls.h"

#include "host/components/property_helpers.h"
#include "host/core/exception.h"

namespace hostfw {

const PropertyInfo* TLabel::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"AutoSize", DesignProperty(PropertyType::Boolean)},
        {"Transparent", DesignProperty(PropertyType::Boolean)},
        {"Layout", DesignProperty(PropertyType::Identifier)},
        {"FocusControl", DesignProperty(PropertyType::Identifier)},
        {"WordWrap", DesignProperty(PropertyType::Boolean)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TGraphicControl::FindProperty(name);
}

const PropertyInfo* TBevel::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"Shape", DesignProperty(PropertyType::Identifier)},
        {"Style", DesignProperty(PropertyType::Identifier)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TGraphicControl::FindProperty(name);
}

const PropertyInfo* TPanel::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"BevelInner", DesignProperty(PropertyType::Identifier)},
        {"BevelOuter", DesignProperty(PropertyType::Identifier)},
        {"BevelWidth", DesignProperty(PropertyType::Integer)},
        {"BorderWidth", DesignProperty(PropertyType::Integer)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TWinControl::FindProperty(name);
}

const PropertyInfo* TButtonControl::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"Checked", BooleanProperty(&TButtonControl::SetChecked)},
        {"State", DesignProperty(PropertyType::Identifier)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TWinControl::FindProperty(name);
}

void TButtonControl::KeyPress(char& key) {
    TWinControl::KeyPress(key);
    if (key == ' ')
        Click();
}

void TCheckBox::Click() {
    if (!Enabled())
        return;
    SetChecked(!Checked());
    TButtonControl::Click();
}

void TRadioButton::SetChecked(bool value) {
    AssignChecked(value);
    if (!value || Parent() == nullptr)
        return;
    for (TControl* sibling : Parent()->Controls()) {
        auto* radio = dynamic_cast<TRadioButton*>(sibling);
        if (radio != nullptr && radio != this)
            radio->AssignChecked(false);
    }
}

void TRadioButton::Click() {
    // Only a change to checked is a click: a checked radio button clicked again stays quiet.
    if (!Enabled() || Checked())
        return;
    SetChecked(true);
    TButtonControl::Click();
}

void TComboBox::SetItems(const std::vector<std::string>& items) {
    items_ = items;
    if (itemIndex_ >= static_cast<int>(items_.size()))
        itemIndex_ = -1;
    ShowSelectedItem();
}

void TComboBox::ClearItems() {
    items_.clear();
    itemIndex_ = -1;
    ShowSelectedItem();
}

// A drop-down list shows the selected item as its text, and nothing when none is selected.
void TComboBox::ShowSelectedItem() {
    AssignText(itemIndex_ < 0 ? std::string() : items_[itemIndex_]);
}

void TComboBox::SetItemIndex(int index) {
    if (index < -1 || index >= static_cast<int>(items_.size())) {
        throw Exception("Índice " + std::to_string(index) + " fora da lista de '" + Name() + "'.");
    }
    itemIndex_ = index;
    ShowSelectedItem();
}

void TComboBox::Choose(int index) {
    const int before = itemIndex_;
    SetItemIndex(index);
    if (itemIndex_ != before && OnChange)
        OnChange(this);
}

const PropertyInfo* TComboBox::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"Items.Strings", StringListProperty(&TComboBox::SetItems)},
        {"ItemIndex", IntegerProperty(&TComboBox::SetItemIndex)},
        {"Style", DesignProperty(PropertyType::Identifier)},
        {"ItemHeight", DesignProperty(PropertyType::Integer)},
        {"DropDownCount", DesignProperty(PropertyType::Integer)},
        {"Sorted", DesignProperty(PropertyType::Boolean)},
        {"OnChange", EventProperty(&TComboBox::OnChange)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TWinControl::FindProperty(name);
}

const PropertyInfo* TSpeedButton::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"Glyph.Data", DesignProperty(PropertyType::Binary)},
        {"NumGlyphs", DesignProperty(PropertyType::Integer)},
        {"Flat", DesignProperty(PropertyType::Boolean)},
        {"Layout", DesignProperty(PropertyType::Identifier)},
        {"Spacing", DesignProperty(PropertyType::Integer)},
        {"Margin", DesignProperty(PropertyType::Integer)},
        {"ParentShowHint", DesignProperty(PropertyType::Boolean)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TGraphicControl::FindProperty(name);
}

}  // namespace hostfw
