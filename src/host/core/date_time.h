#pragma once

#include <compare>
#include <optional>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

// Automation date: days since 30/12/1899 00:00, the fraction being the time of day. Before that
// day the value is negative and still reads as day and time: its integral part (towards zero) is
// the day, the size of its fraction the time of day (-1.25 is 29/12/1899 06:00).
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

HOSTFW_EXPORT double DaysFromCivil(const CivilDate& date);
HOSTFW_EXPORT CivilDate CivilFromDays(double days);
HOSTFW_EXPORT TDateTime EncodeDate(int year, int month, int day);
HOSTFW_EXPORT bool IsValidDate(int year, int month, int day);

// The current local date and time, read from the clock on every call.
HOSTFW_EXPORT TDateTime Now();
// The day, time of day dropped: the integral part, towards zero.
HOSTFW_EXPORT TDateTime DateOf(TDateTime value);
// The time of day as a fraction of a day, counted from the day's midnight.
HOSTFW_EXPORT double TimeOf(TDateTime value);

// A date-time rounded to the second: its day and the seconds since that day's midnight. A time
// that rounds up to midnight moves to the next day.
struct DaySeconds {
    long long day = 0;
    long long seconds = 0;
};
HOSTFW_EXPORT DaySeconds SplitToSeconds(TDateTime value);

// The locale's short date format: dd/mm/yyyy.
HOSTFW_EXPORT std::string DateToStr(TDateTime value);
HOSTFW_EXPORT std::string CivilDateToStr(const CivilDate& date);
HOSTFW_EXPORT std::string DateTimeToStr(TDateTime value);
// dd/mm/yyyy with a four-digit year, nothing else; nullopt for anything that is not a real date.
HOSTFW_EXPORT std::optional<TDateTime> StrToDateStrict(const std::string& text);
// yyyy-mm-dd, as dates are stored in the database.
HOSTFW_EXPORT std::string DateToIso(TDateTime value);
HOSTFW_EXPORT std::optional<TDateTime> IsoToDate(const std::string& text);
// The same date as its parts, from a text starting with yyyy-mm-dd.
HOSTFW_EXPORT std::optional<CivilDate> IsoToCivil(const std::string& text);

}  // namespace hostfw
