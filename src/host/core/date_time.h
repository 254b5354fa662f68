#pragma once

#include <compare>
#include <optional>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

// Automation date: days since 30/12/1899 00:00, the fraction being the time of day.
struct TDateTime {
    double value = 0.0;
    friend bool operator==(TDateTime, TDateTime) = default;
    friend auto operator<=>(TDateTime, TDateTime) = default;
};

struct CivilDate {
    int year = 0;
    int month = 0;
    int day = 0;
};

HOSTFW_EXPORT double daysFromCivil(const CivilDate& date);
HOSTFW_EXPORT CivilDate civilFromDays(double days);
HOSTFW_EXPORT TDateTime EncodeDate(int year, int month, int day);
HOSTFW_EXPORT bool IsValidDate(int year, int month, int day);

// The current local date and time, read from the clock on every call.
HOSTFW_EXPORT TDateTime Now();
// The whole-day part, time of day dropped (towards minus infinity, so negative dates stay right).
HOSTFW_EXPORT TDateTime DateOf(TDateTime value);

// The locale's short date format: dd/mm/yyyy.
HOSTFW_EXPORT std::string DateToStr(TDateTime value);
HOSTFW_EXPORT std::string DateTimeToStr(TDateTime value);
// dd/mm/yyyy with a four-digit year, nothing else; nullopt for anything that is not a real date.
HOSTFW_EXPORT std::optional<TDateTime> StrToDateStrict(const std::string& text);
// yyyy-mm-dd, as dates are stored in the database.
HOSTFW_EXPORT std::string DateToIso(TDateTime value);
HOSTFW_EXPORT std::optional<TDateTime> IsoToDate(const std::string& text);

}  // namespace hostfw
