#include "host/core/date_rules.h"

#include <gtest/gtest.h>

namespace {

using hostfw::EncodeDate;

std::string Days(std::string_view rule, hostfw::TDateTime today) {
    const auto range = hostfw::DateRuleRange(rule, today);
    if (!range)
        return "nenhum";
    return hostfw::DateToStr(range->first) + " a " + hostfw::DateToStr(range->last);
}

TEST(DateRules, EachRuleCountsFromTheDayItIsUsed) {
    const auto wednesday = EncodeDate(2026, 3, 4);  // a Wednesday; the time of day is ignored
    const hostfw::TDateTime afternoon{wednesday.value + 0.75};
    EXPECT_EQ(Days("Hoje", afternoon), "04/03/2026 a 04/03/2026");
    EXPECT_EQ(Days("Ontem", afternoon), "03/03/2026 a 03/03/2026");
    EXPECT_EQ(Days("Esta semana", afternoon), "01/03/2026 a 07/03/2026") << "Sunday to Saturday";
    EXPECT_EQ(Days("Este mês", afternoon), "01/03/2026 a 31/03/2026");
    EXPECT_EQ(Days("Mês anterior", afternoon), "01/02/2026 a 28/02/2026");
    EXPECT_EQ(Days("Este ano", afternoon), "01/01/2026 a 31/12/2026");
    EXPECT_EQ(Days("Últimos 30 dias", afternoon), "03/02/2026 a 04/03/2026");
}

TEST(DateRules, EdgesOfWeeksMonthsAndYears) {
    EXPECT_EQ(Days("Esta semana", EncodeDate(2026, 3, 1)), "01/03/2026 a 07/03/2026") << "Sunday";
    EXPECT_EQ(Days("Esta semana", EncodeDate(2026, 3, 7)), "01/03/2026 a 07/03/2026") << "Saturday";
    EXPECT_EQ(Days("Mês anterior", EncodeDate(2026, 1, 31)), "01/12/2025 a 31/12/2025");
    EXPECT_EQ(Days("Este mês", EncodeDate(2024, 2, 10)), "01/02/2024 a 29/02/2024");
    EXPECT_EQ(Days("Este mês", EncodeDate(2025, 12, 31)), "01/12/2025 a 31/12/2025");
    EXPECT_EQ(Days("Ontem", EncodeDate(2026, 1, 1)), "31/12/2025 a 31/12/2025");
}

TEST(DateRules, OnlyTheListedNamesAreRules) {
    EXPECT_EQ(hostfw::DateRuleNames().size(), 7u);
    for (std::string_view name : hostfw::DateRuleNames())
        EXPECT_NE(Days(name, EncodeDate(2026, 6, 15)), "nenhum") << name;
    EXPECT_EQ(Days("hoje", EncodeDate(2026, 6, 15)), "nenhum") << "written as listed";
    EXPECT_EQ(Days("Amanhã", EncodeDate(2026, 6, 15)), "nenhum");
}

}  // namespace
