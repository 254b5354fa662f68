#pragma once

#include <string>
#include <vector>

#include "host/core/date_time.h"
#include "host/ui/edit.h"
#include "hostfw_export.h"

namespace hostfw {

// A date edit: its text in the locale's short date format (dd/mm/yyyy), empty when no date
// is given. The date value is read from the text every time, so it never goes stale: an
// empty text reads as 0, a text that is not a real date also as 0.
class HOSTFW_EXPORT TDateEditPlus : public TCustomEdit {
public:
    using TCustomEdit::TCustomEdit;
    std::string ClassName() const override { return "TDateEditPlus"; }

    TDateTime GetDate() const;
    // Shows the date; with SaveTime false the time of day is dropped.
    void SetDate(TDateTime value);
    // Passes an empty text (EmptyString) or a real dd/mm/yyyy date; otherwise moves the
    // focus here and refuses through MensErro with abort.
    void CheckValidDate();

    // The dd/mm/yyyy mask: a digit typed where a slash belongs brings the slash with it.
    void KeyPress(char& key) override;

    bool SaveTime() const { return saveTime_; }
    void SetSaveTime(bool value) { saveTime_ = value; }
    TColor ValidDateColor() const { return validDateColor_; }
    void SetValidDateColorIdent(const std::string& ident) {
        validDateColor_ = ColorFromIdent(ident);
    }
    const std::vector<std::string>& NomeSemana() const { return nomeSemana_; }
    void SetNomeSemana(const std::vector<std::string>& names) { nomeSemana_ = names; }

    const PropertyInfo* FindProperty(std::string_view name) const override;

private:
    bool saveTime_ = true;
    TDateTime value_;  // the time of day kept with SaveTime; the day always follows the text
    TColor validDateColor_ = clBlue;
    std::vector<std::string> nomeSemana_;
};

}  // namespace hostfw
