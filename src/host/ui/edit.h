#pragma once

#include <string>

#include "host/ui/control.h"
#include "hostfw_export.h"

namespace hostfw {

enum class TEditCharCase { ecNormal, ecUpperCase, ecLowerCase };

// A one-line edit. Text written by the program raises OnChange only when it differs;
// typed characters go through KeyPress (and OnKeyPress) first. Maximum length limits
// typing only; an upper-case edit stores every letter as a capital, typed or written.
class HOSTFW_EXPORT TCustomEdit : public TWinControl {
public:
    using TWinControl::TWinControl;
    bool AcceptsFocus() const override { return true; }

    int MaxLength() const { return maxLength_; }
    void SetMaxLength(int value) { maxLength_ = value; }
    TEditCharCase CharCase() const { return charCase_; }
    // The text already there takes the new case at once.
    void SetCharCase(TEditCharCase value);
    bool ReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }

    // Selection in characters; typing replaces it, the caret sits at its end.
    void SelectAll();
    // Clamped to the text.
    void SetSelection(size_t start, size_t length);
    size_t SelStart() const { return selStart_; }
    size_t SelLength() const { return selLength_; }

    void KeyPress(char& key) override;

    TNotifyEvent OnChange;
    const PropertyInfo* FindProperty(std::string_view name) const override;

protected:
    std::string StoredText(const std::string& value) const override;
    void TextChanged() override;
    void DoEnter() override;

private:
    void SetCharCaseIdent(const std::string& ident);
    void InsertCharacter(unsigned char code);
    void DeleteBackward();

    int maxLength_ = 0;
    TEditCharCase charCase_ = TEditCharCase::ecNormal;
    bool readOnly_ = false;
    size_t selStart_ = 0;
    size_t selLength_ = 0;
};

class HOSTFW_EXPORT TEdit : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    std::string ClassName() const override { return "TEdit"; }
};

}  // namespace hostfw
