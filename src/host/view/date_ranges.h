#pragma once

#include <QDate>
#include <QString>
#include <vector>

#include "hostfw_view_export.h"

namespace hostfw::view {

// A named range of days the date pair of a form can be set to in one choice.
struct DateRange {
    QString name;
    QDate first;
    QDate last;
};

// Hoje, Ontem, Esta semana (Sunday to Saturday), Este mês, Mês anterior, Este ano and Últimos
// 30 dias, counted from `today`.
HOSTFW_VIEW_EXPORT std::vector<DateRange> DateRangesFrom(const QDate& today);

// A date as the date edits show it: dd/mm/yyyy.
HOSTFW_VIEW_EXPORT QString DateText(const QDate& date);

}  // namespace hostfw::view
