#include "host/view/date_ranges.h"

namespace hostfw::view {

std::vector<DateRange> DateRangesFrom(const QDate& today) {
    const QDate monthStart(today.year(), today.month(), 1);
    const QDate previousMonth = monthStart.addMonths(-1);
    // Qt counts Monday as 1 and Sunday as 7; the week here starts on Sunday.
    const QDate weekStart = today.addDays(-(today.dayOfWeek() % 7));
    return {
        {QStringLiteral("Hoje"), today, today},
        {QStringLiteral("Ontem"), today.addDays(-1), today.addDays(-1)},
        {QStringLiteral("Esta semana"), weekStart, weekStart.addDays(6)},
        {QStringLiteral("Este mês"), monthStart, monthStart.addMonths(1).addDays(-1)},
        {QStringLiteral("Mês anterior"), previousMonth, monthStart.addDays(-1)},
        {QStringLiteral("Este ano"), QDate(today.year(), 1, 1), QDate(today.year(), 12, 31)},
        {QStringLiteral("Últimos 30 dias"), today.addDays(-29), today},
    };
}

QString DateText(const QDate& date) {
    return date.toString(QStringLiteral("dd/MM/yyyy"));
}

}  // namespace hostfw::view
