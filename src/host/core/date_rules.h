#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "host/core/date_time.h"
#include "hostfw_export.h"

namespace hostfw {

// A period named by where it stands from today, so a choice kept as "Mês anterior" covers last
// month whenever it is used: Hoje, Ontem, Esta semana (Sunday to Saturday), Este mês, Mês
// anterior, Este ano, Últimos 30 dias. One list for every place that offers them.
HOSTFW_EXPORT std::span<const std::string_view> DateRuleNames();

struct DayRange {
    TDateTime first;
    TDateTime last;
};

// The days of the rule named `name` counted from `today`; nothing for a name that is not one.
HOSTFW_EXPORT std::optional<DayRange> DateRuleRange(std::string_view name, TDateTime today);

}  // namespace hostfw
