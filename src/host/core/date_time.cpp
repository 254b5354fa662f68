#include "host/core/date_time.h"

#include <cmath>
#include <cstdio>
#include <ctime>

namespace hostfw {
namespace {

constexpr long long kSecondsPerDay = 86400;

// Days from 1970-01-01 to 1899-12-30.
constexpr double kUnixEpochAsAutomation = 25569.0;

// Howard Hinnant's civil-from-days algorithms, on days since 1970-01-01.
long long UnixDaysFromCivil(int y, int m, int d) {
    y -= m <= 2;
    const long long era = (y >= 0 ? y : y - 399) / 400;
    const unsigned yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy =
        (153 * static_cast<unsigned>(m + (m > 2 ? -3 : 9)) + 2) / 5 + static_cast<unsigned>(d) - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<long long>(doe) - 719468;
}

CivilDate CivilFromUnixDays(long long z) {
    z += 719468;
    const long long era = (z >= 0 ? z : z - 146096) / 146097;
    const unsigned doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const long long y = static_cast<long long>(yoe) + era * 400;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    return {static_cast<int>(y + (m <= 2)), static_cast<int>(m), static_cast<int>(d)};
}

bool ParseFixedDigits(const std::string& text, size_t pos, size_t count, int& out) {
    out = 0;
    for (size_t i = pos; i < pos + count; ++i) {
        if (text[i] < '0' || text[i] > '9')
            return false;
        out = out * 10 + (text[i] - '0');
    }
    return true;
}

}  // namespace

double DaysFromCivil(const CivilDate& date) {
    return static_cast<double>(UnixDaysFromCivil(date.year, date.month, date.day)) +
           kUnixEpochAsAutomation;
}

CivilDate CivilFromDays(double days) {
    return CivilFromUnixDays(static_cast<long long>(std::trunc(days)) -
                             static_cast<long long>(kUnixEpochAsAutomation));
}

bool IsValidDate(int year, int month, int day) {
    if (year < 1 || year > 9999 || month < 1 || month > 12 || day < 1)
        return false;
    static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    const int last = month == 2 && leap ? 29 : kDays[month - 1];
    return day <= last;
}

TDateTime EncodeDate(int year, int month, int day) {
    return {DaysFromCivil({year, month, day})};
}

TDateTime Now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    std::tm local{};
    localtime_r(&ts.tv_sec, &local);
    const double day = DaysFromCivil({local.tm_year + 1900, local.tm_mon + 1, local.tm_mday});
    const double seconds = local.tm_hour * 3600.0 + local.tm_min * 60.0 + local.tm_sec +
                           static_cast<double>(ts.tv_nsec) / 1e9;
    return {day + seconds / 86400.0};
}

TDateTime DateOf(TDateTime value) {
    return {std::trunc(value.value)};
}

double TimeOf(TDateTime value) {
    return std::fabs(value.value - std::trunc(value.value));
}

DaySeconds SplitToSeconds(TDateTime value) {
    DaySeconds split{static_cast<long long>(std::trunc(value.value)),
                     std::llround(TimeOf(value) * kSecondsPerDay)};
    if (split.seconds == kSecondsPerDay) {
        ++split.day;
        split.seconds = 0;
    }
    return split;
}

std::string DateToStr(TDateTime value) {
    return CivilDateToStr(CivilFromDays(value.value));
}

std::string CivilDateToStr(const CivilDate& date) {
    const auto [year, month, day] = date;
    // Written digit by digit: reports format a date per row, and snprintf costs more than the
    // rest of the row.
    if (year < 0 || year > 9999 || month < 0 || month > 99 || day < 0 || day > 99) {
        char buffer[40];
        std::snprintf(buffer, sizeof buffer, "%02d/%02d/%04d", day, month, year);
        return buffer;
    }
    const auto digit = [](int value) { return static_cast<char>('0' + value % 10); };
    return {digit(day / 10),    digit(day),        '/',
            digit(month / 10),  digit(month),      '/',
            digit(year / 1000), digit(year / 100), digit(year / 10),
            digit(year)};
}

std::string DateTimeToStr(TDateTime value) {
    const DaySeconds split = SplitToSeconds(value);
    char buffer[64];  // room for any long long, though a time of day needs 9
    std::snprintf(buffer, sizeof buffer, " %02lld:%02lld:%02lld", split.seconds / 3600,
                  split.seconds / 60 % 60, split.seconds % 60);
    return DateToStr({static_cast<double>(split.day)}) + buffer;
}

std::optional<TDateTime> StrToDateStrict(const std::string& text) {
    if (text.size() != 10 || text[2] != '/' || text[5] != '/')
        return std::nullopt;
    int day = 0;
    int month = 0;
    int year = 0;
    if (!ParseFixedDigits(text, 0, 2, day) || !ParseFixedDigits(text, 3, 2, month) ||
        !ParseFixedDigits(text, 6, 4, year) || !IsValidDate(year, month, day)) {
        return std::nullopt;
    }
    return EncodeDate(year, month, day);
}

std::string DateToIso(TDateTime value) {
    const CivilDate c = CivilFromDays(value.value);
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", c.year, c.month, c.day);
    return buffer;
}

std::optional<TDateTime> IsoToDate(const std::string& text) {
    const auto date = IsoToCivil(text);
    if (!date)
        return std::nullopt;
    return EncodeDate(date->year, date->month, date->day);
}

std::optional<CivilDate> IsoToCivil(const std::string& text) {
    if (text.size() < 10 || text[4] != '-' || text[7] != '-')
        return std::nullopt;
    CivilDate date;
    if (!ParseFixedDigits(text, 0, 4, date.year) || !ParseFixedDigits(text, 5, 2, date.month) ||
        !ParseFixedDigits(text, 8, 2, date.day) || !IsValidDate(date.year, date.month, date.day)) {
        return std::nullopt;
    }
    return date;
}

}  // namespace hostfw
