#include "host/core/date_rules.h"

#include <array>
#include <cmath>

namespace hostfw {
namespace {

constexpr std::array<std::string_view, 7> kNames = {
    "Hoje", "Ontem", "Esta semana", "Este mês", "Mês anterior", "Este ano", "Últimos 30 dias"};

TDateTime Day(int year, int month, int dayOfMonth) {
    return EncodeDate(year, month, dayOfMonth);
}

TDateTime PlusDays(TDateTime date, int days) {
    return TDateTime{date.value + days};
}

}  // namespace

std::span<const std::string_view> DateRuleNames() {
    return kNames;
}

std::optional<DayRange> DateRuleRange(std::string_view name, TDateTime today) {
    today = DateOf(today);
    const CivilDate civil = CivilFromDays(today.value);
    const TDateTime monthStart = Day(civil.year, civil.month, 1);
    const TDateTime nextMonthStart =
        civil.month == 12 ? Day(civil.year + 1, 1, 1) : Day(civil.year, civil.month + 1, 1);
    const TDateTime previousMonthStart =
        civil.month == 1 ? Day(civil.year - 1, 12, 1) : Day(civil.year, civil.month - 1, 1);
    // 30/12/1899, day 0, was a Saturday: day 1 a Sunday.
    const int weekDay = static_cast<int>(
        std::fmod(std::fmod(std::floor(today.value) - 1.0, 7.0) + 7.0, 7.0));  // 0: Sunday
    const TDateTime weekStart = PlusDays(today, -weekDay);

    if (name == kNames[0])
        return DayRange{today, today};
    if (name == kNames[1])
        return DayRange{PlusDays(today, -1), PlusDays(today, -1)};
    if (name == kNames[2])
        return DayRange{weekStart, PlusDays(weekStart, 6)};
    if (name == kNames[3])
        return DayRange{monthStart, PlusDays(nextMonthStart, -1)};
    if (name == kNames[4])
        return DayRange{previousMonthStart, PlusDays(monthStart, -1)};
    if (name == kNames[5])
        return DayRange{Day(civil.year, 1, 1), Day(civil.year, 12, 31)};
    if (name == kNames[6])
        return DayRange{PlusDays(today, -29), today};
    return std::nullopt;
}

}  // namespace hostfw
