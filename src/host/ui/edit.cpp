#include "host/ui/edit.h"

#include "host/components/property_helpers.h"
#include "host/core/exception.h"
#include "host/core/utf8.h"
#include "host/ui/form.h"

namespace hostfw {
namespace {

constexpr unsigned char kBackspace = 8;
constexpr unsigned char kTab = 9;

// C0 controls, DEL and the C1 controls of Latin-1: keys, not text.
bool IsControlCharacter(unsigned char code) {
    return code < 32 || (code >= 127 && code < 160);
}

char32_t ApplyCharCase(char32_t c, TEditCharCase charCase) {
    const bool lower = (c >= U'a' && c <= U'z') || (c >= 0xE0 && c <= 0xFE && c != 0xF7);
    const bool upper = (c >= U'A' && c <= U'Z') || (c >= 0xC0 && c <= 0xDE && c != 0xD7);
    if (charCase == TEditCharCase::ecUpperCase && lower)
        return c - 32;
    if (charCase == TEditCharCase::ecLowerCase && upper)
        return c + 32;
    return c;
}

}  // namespace

void TCustomEdit::SelectAll() {
    selStart_ = 0;
    selLength_ = Utf8Length(Text());
}

void TCustomEdit::KeyPress(char& key) {
    TWinControl::KeyPress(key);
    const auto code = static_cast<unsigned char>(key);
    if (code == 0)
        return;
    if (code == kBackspace) {
        if (!readOnly_)
            DeleteBackward();
    } else if (code == kTab) {
        if (TCustomForm* form = GetParentForm(*this))
            form->SelectNext(this);
    } else if (!IsControlCharacter(code) && !readOnly_) {
        InsertCharacter(code);
    }
    // Carriage return and the other control characters are never stored.
}

void TCustomEdit::InsertCharacter(unsigned char code) {
    std::u32string text = Utf8Decode(Text());
    const size_t start = std::min(selStart_, text.size());
    const size_t length = std::min(selLength_, text.size() - start);
    if (maxLength_ > 0 && text.size() - length >= static_cast<size_t>(maxLength_))
        return;
    text.replace(start, length, 1, code);
    SetText(Utf8Encode(text));
    selStart_ = start + 1;
    selLength_ = 0;
}

void TCustomEdit::DeleteBackward() {
    std::u32string text = Utf8Decode(Text());
    size_t start = std::min(selStart_, text.size());
    size_t length = std::min(selLength_, text.size() - start);
    if (length == 0) {
        if (start == 0)
            return;
        --start;
        length = 1;
    }
    text.erase(start, length);
    SetText(Utf8Encode(text));
    selStart_ = start;
    selLength_ = 0;
}

void TCustomEdit::SetCharCase(TEditCharCase value) {
    charCase_ = value;
    SetText(Text());
}

std::string TCustomEdit::StoredText(const std::string& value) const {
    if (charCase_ == TEditCharCase::ecNormal)
        return value;
    std::u32string text = Utf8Decode(value);
    for (char32_t& c : text)
        c = ApplyCharCase(c, charCase_);
    return Utf8Encode(text);
}

void TCustomEdit::TextChanged() {
    // Text written by the program leaves the caret at its end.
    selStart_ = Utf8Length(Text());
    selLength_ = 0;
    if (OnChange)
        OnChange(this);
}

void TCustomEdit::DoEnter() {
    SelectAll();
    TWinControl::DoEnter();
}

void TCustomEdit::SetCharCaseIdent(const std::string& ident) {
    if (ident == "ecNormal") {
        SetCharCase(TEditCharCase::ecNormal);
    } else if (ident == "ecUpperCase") {
        SetCharCase(TEditCharCase::ecUpperCase);
    } else if (ident == "ecLowerCase") {
        SetCharCase(TEditCharCase::ecLowerCase);
    } else {
        throw Exception("caixa de texto desconhecida '" + ident + "'.");
    }
}

const PropertyInfo* TCustomEdit::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"Text", StringProperty(&TCustomEdit::SetText)},
        {"MaxLength", IntegerProperty(&TCustomEdit::SetMaxLength)},
        {"CharCase", IdentifierProperty(&TCustomEdit::SetCharCaseIdent)},
        {"ReadOnly", BooleanProperty(&TCustomEdit::SetReadOnly)},
        {"AutoSelect", DesignProperty(PropertyType::Boolean)},
        {"AutoSize", DesignProperty(PropertyType::Boolean)},
        {"BorderStyle", DesignProperty(PropertyType::Identifier)},
        {"OnChange", EventProperty(&TCustomEdit::OnChange)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TWinControl::FindProperty(name);
}

}  // namespace hostfw
