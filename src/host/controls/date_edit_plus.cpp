#include "host/controls/date_edit_plus.h"

#include <algorithm>

#include "host/components/property_helpers.h"
#include "host/services/mens_erro.h"
#include "host/services/text_rules.h"

namespace hostfw {

TDateTime TDateEditPlus::GetDate() const {
    if (EmptyString(Text()))
        return {0.0};
    const std::optional<TDateTime> day = StrToDateStrict(Text());
    if (!day)
        return {0.0};
    // The time of day written with SetDate stays only while the text shows that same day.
    if (saveTime_ && DateOf(value_) == *day)
        return value_;
    return *day;
}

void TDateEditPlus::SetDate(TDateTime value) {
    value_ = saveTime_ ? value : DateOf(value);
    SetText(DateToStr(value_));
}

void TDateEditPlus::KeyPress(char& key) {
    const std::string& text = Text();
    const bool digitsSoFar =
        (text.size() == 2 || text.size() == 5) &&
        std::all_of(text.begin(), text.end(),
                    [](char c) { return (c >= '0' && c <= '9') || c == '/'; }) &&
        (text.size() == 2 || text[2] == '/');
    const bool atEnd = SelLength() == 0 && SelStart() == text.size();
    if (key >= '0' && key <= '9' && digitsSoFar && atEnd && text.back() != '/') {
        char slash = '/';
        TCustomEdit::KeyPress(slash);
    }
    TCustomEdit::KeyPress(key);
}

void TDateEditPlus::CheckValidDate() {
    const std::string text = Text();
    if (EmptyString(text) || StrToDateStrict(text))
        return;
    // A disabled edit cannot take the focus; the user still learns why the date is refused.
    if (CanFocus())
        SetFocus();
    MensErro(*this, "\"" + text + "\" não é uma data válida.", true);
}

const PropertyInfo* TDateEditPlus::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"SaveTime", BooleanProperty(&TDateEditPlus::SetSaveTime)},
        {"ValidDateColor", IdentifierProperty(&TDateEditPlus::SetValidDateColorIdent)},
        {"NomeSemana.Strings", StringListProperty(&TDateEditPlus::SetNomeSemana)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TCustomEdit::FindProperty(name);
}

}  // namespace hostfw
