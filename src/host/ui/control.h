#pragma once

#include <string>
#include <vector>

#include "host/components/component.h"
#include "host/components/events.h"
#include "host/ui/graphics.h"
#include "hostfw_export.h"

namespace hostfw {

class TWinControl;
class TCustomForm;

// A visible control: parent, position, caption or text, enabled, visible, font, colour.
class HOSTFW_EXPORT TControl : public TComponent {
public:
    explicit TControl(TComponent* owner);
    ~TControl() override;

    TWinControl* Parent() const { return parent_; }
    void SetParent(TWinControl* parent);
    void SetParentComponent(TComponent* parent) override;

    int Left() const { return left_; }
    int Top() const { return top_; }
    int Width() const { return width_; }
    int Height() const { return height_; }
    void SetLeft(int value) { left_ = value; }
    void SetTop(int value) { top_ = value; }
    void SetWidth(int value) { width_ = value; }
    void SetHeight(int value) { height_ = value; }

    // Caption and Text are one value, as in the host toolkit.
    const std::string& Caption() const { return text_; }
    void SetCaption(const std::string& value) { SetText(value); }
    const std::string& Text() const { return text_; }
    // Stores the value as the control keeps text (StoredText); OnChange-like events run only
    // when the stored text differs.
    void SetText(const std::string& value);

    bool Enabled() const { return enabled_; }
    virtual void SetEnabled(bool value) { enabled_ = value; }
    bool Visible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    // Enabled and visible, with every parent enabled and visible too.
    bool IsUsable() const;

    const std::string& Hint() const { return hint_; }
    void SetHint(const std::string& value) { hint_ = value; }
    bool ShowHint() const { return showHint_; }
    void SetShowHint(bool value) { showHint_ = value; }
    TColor Color() const { return color_; }
    void SetColor(TColor value) { color_ = value; }
    void SetColorIdent(const std::string& ident);
    TFont& Font() { return font_; }
    const TFont& Font() const { return font_; }
    TAlignment Alignment() const { return alignment_; }
    void SetAlignmentIdent(const std::string& ident);

    // Runs OnClick; does nothing while the control is disabled.
    virtual void Click();

    TNotifyEvent OnClick;

    const PropertyInfo* FindProperty(std::string_view name) const override;

protected:
    // Raised after the text has really changed.
    // The text as this kind of control keeps it; an upper-case edit keeps capitals.
    virtual std::string StoredText(const std::string& value) const { return value; }
    virtual void TextChanged() {}
    // Writes the text without raising TextChanged (for the control's own bookkeeping).
    void AssignText(const std::string& value) { text_ = value; }

private:
    TWinControl* parent_ = nullptr;
    int left_ = 0;
    int top_ = 0;
    int width_ = 0;
    int height_ = 0;
    std::string text_;
    bool enabled_ = true;
    bool visible_ = true;
    std::string hint_;
    bool showHint_ = false;
    TColor color_ = clBtnFace;
    TFont font_;
    TAlignment alignment_ = TAlignment::taLeftJustify;
};

// A control that never takes the focus (labels, bevels, speed buttons).
class HOSTFW_EXPORT TGraphicControl : public TControl {
public:
    using TControl::TControl;
};

// A control that can hold children and, when its kind allows it, the input focus.
class HOSTFW_EXPORT TWinControl : public TControl {
public:
    explicit TWinControl(TComponent* owner);
    ~TWinControl() override;

    const std::vector<TControl*>& Controls() const { return controls_; }
    int TabOrder() const { return tabOrder_; }
    void SetTabOrder(int value);
    bool TabStop() const { return tabStop_; }
    void SetTabStop(bool value) { tabStop_ = value; }

    // Whether this kind of control takes the focus at all (containers do not).
    virtual bool AcceptsFocus() const { return false; }
    bool CanFocus() const { return AcceptsFocus() && IsUsable(); }
    // Moves the input focus here, through the form's focus rules.
    void SetFocus();
    bool Focused() const;

    // A typed character: goes to OnKeyPress by reference first; code 0 discards it.
    virtual void KeyPress(char& key);
    // The focus arrives at, or leaves, the control.
    virtual void DoEnter();
    virtual void DoExit();

    TNotifyEvent OnEnter;
    TNotifyEvent OnExit;
    TKeyPressEvent OnKeyPress;

    const PropertyInfo* FindProperty(std::string_view name) const override;

private:
    friend class TControl;
    std::vector<TControl*> controls_;
    int tabOrder_ = -1;
    bool tabStop_ = true;
};

// The form that holds a control, or nullptr.
HOSTFW_EXPORT TCustomForm* GetParentForm(const TControl& control);

// The controls under a container that take the focus, in tab order, depth first.
HOSTFW_EXPORT std::vector<TWinControl*> FocusOrder(const TWinControl& root);
// Those of them that Tab stops at.
HOSTFW_EXPORT std::vector<TWinControl*> TabSequence(const TWinControl& root);

}  // namespace hostfw
