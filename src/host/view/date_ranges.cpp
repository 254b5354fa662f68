#include "host/view/date_ranges.h"

#include "host/core/date_rules.h"

namespace hostfw::view {
namespace {

QDate QDateOf(TDateTime day) {
    const CivilDate civil = CivilFromDays(day.value);
    return QDate(civil.year, civil.month, civil.day);
}

}  // namespace

std::vector<DateRange> DateRangesFrom(TDateTime today) {
    std::vector<DateRange> ranges;
    for (const std::string_view name : DateRuleNames()) {
        const DayRange days = *DateRuleRange(name, today);
        ranges.push_back({QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())),
                          QDateOf(days.first), QDateOf(days.last)});
    }
    return ranges;
}

QString DateText(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

}  // namespace hostfw::view
