#pragma once

#include <QDate>
#include <QString>
#include <vector>

#include "host/core/date_time.h"
#include "hostfw_view_export.h"

namespace hostfw::view {

// A named range of days the date pair of a form can be set to in one choice.
struct DateRange {
    QString name;
    QDate first;
    QDate last;
};

// The date rules every place offers (Hoje, Ontem, Esta semana, ...), counted from `today`.
HOSTFW_VIEW_EXPORT std::vector<DateRange> DateRangesFrom(TDateTime today);

// A date as the date edits show it: dd/mm/yyyy.
HOSTFW_VIEW_EXPORT QString DateText(const QDate& date);

}  // namespace hostfw::view
