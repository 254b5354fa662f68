#pragma once

#include <string>
#include <vector>

#include "host/ui/control.h"
#include "hostfw_export.h"

namespace hostfw {

class HOSTFW_EXPORT TLabel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::string ClassName() const override { return "TLabel"; }
    const PropertyInfo* FindProperty(std::string_view name) const override;
};

class HOSTFW_EXPORT TBevel : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::string ClassName() const override { return "TBevel"; }
    const PropertyInfo* FindProperty(std::string_view name) const override;
};

class HOSTFW_EXPORT TGroupBox : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::string ClassName() const override { return "TGroupBox"; }
};

class HOSTFW_EXPORT TPanel : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::string ClassName() const override { return "TPanel"; }
    const PropertyInfo* FindProperty(std::string_view name) const override;
};

// Radio buttons and check boxes take the focus; a click toggles the state, and so does the
// space bar the key handler lets through.
class HOSTFW_EXPORT TButtonControl : public TWinControl {
public:
    using TWinControl::TWinControl;
    bool AcceptsFocus() const override { return true; }
    void KeyPress(char& key) override;
    bool Checked() const { return checked_; }
    virtual void SetChecked(bool value) { checked_ = value; }
    const PropertyInfo* FindProperty(std::string_view name) const override;

protected:
    void AssignChecked(bool value) { checked_ = value; }

private:
    bool checked_ = false;
};

class HOSTFW_EXPORT TCheckBox : public TButtonControl {
public:
    using TButtonControl::TButtonControl;
    std::string ClassName() const override { return "TCheckBox"; }
    void Click() override;
};

// Radio buttons in one parent are exclusive: checking one unchecks its siblings.
class HOSTFW_EXPORT TRadioButton : public TButtonControl {
public:
    using TButtonControl::TButtonControl;
    std::string ClassName() const override { return "TRadioButton"; }
    void SetChecked(bool value) override;
    void Click() override;
};

class HOSTFW_EXPORT TComboBox : public TWinControl {
public:
    using TWinControl::TWinControl;
    std::string ClassName() const override { return "TComboBox"; }
    bool AcceptsFocus() const override { return true; }

    const std::vector<std::string>& Items() const { return items_; }
    void SetItems(const std::vector<std::string>& items);
    void AddItem(const std::string& item) { items_.push_back(item); }
    void ClearItems();
    int ItemIndex() const { return itemIndex_; }
    // The program's choice: no change event.
    void SetItemIndex(int index);
    // The user's choice: the change event runs when the index really changes.
    void Choose(int index);

    TNotifyEvent OnChange;
    const PropertyInfo* FindProperty(std::string_view name) const override;

private:
    void ShowSelectedItem();

    std::vector<std::string> items_;
    int itemIndex_ = -1;
};

// A button that never takes the focus: clicking it runs no exit event.
class HOSTFW_EXPORT TSpeedButton : public TGraphicControl {
public:
    using TGraphicControl::TGraphicControl;
    std::string ClassName() const override { return "TSpeedButton"; }
    const PropertyInfo* FindProperty(std::string_view name) const override;
};

}  // namespace hostfw
