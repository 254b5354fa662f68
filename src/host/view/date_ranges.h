#pragma once

#include <QDate>
#include <QString>
#include <vector>

namespace hostfw::view {

// A named range of days the date pair of a form can be set to in one choice.
struct DateRange {
    QString name;
    QDate first;
    QDate last;
};

// Hoje, Ontem, Esta semana (Sunday to Saturday), Este mês, Mês anterior, Este ano and Últimos
// 30 dias, counted from `today`.
std::vector<DateRange> DateRangesFrom(const QDate& today);

// A date as the date edits show it: dd/mm/yyyy.
QString DateText(const QDate& date);

}  // namespace hostfw::view
