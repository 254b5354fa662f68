#include "host/core/date_time.h"

#include <gtest/gtest.h>

#include "host/core/variant.h"
#include "host/net/call_argument_text.h"

namespace {

using hostfw::DateOf;
using hostfw::DateTimeToStr;
using hostfw::DateToStr;
using hostfw::TDateTime;

// Before 30/12/1899 an automation date is negative: its integral part (towards zero) is the day
// and the size of its fraction the time of that day.
TEST(AutomationDate, ANegativeValueReadsAsItsIntegralDayAndItsFractionAsTheTime) {
    EXPECT_EQ(DateToStr({-0.5}), "30/12/1899");
    EXPECT_EQ(DateOf({-0.5}), TDateTime{0.0});
    EXPECT_EQ(DateTimeToStr({-1.25}), "29/12/1899 06:00:00");
    EXPECT_EQ(DateOf({-1.25}), TDateTime{-1.0});
    EXPECT_DOUBLE_EQ(hostfw::TimeOf({-1.25}), 0.25);
}

TEST(AutomationDate, PositiveValuesKeepTheirDayAndTime) {
    const TDateTime noon{hostfw::EncodeDate(2026, 1, 31).value + 0.5};
    EXPECT_EQ(DateTimeToStr(noon), "31/01/2026 12:00:00");
    EXPECT_EQ(DateOf(noon), hostfw::EncodeDate(2026, 1, 31));
}

TEST(AutomationDate, ATimeThatRoundsToMidnightMovesToTheNextDay) {
    const double lastSecond = 86399.6 / 86400.0;
    EXPECT_EQ(DateTimeToStr({hostfw::EncodeDate(2026, 1, 31).value + lastSecond}),
              "01/02/2026 00:00:00");
    EXPECT_EQ(DateTimeToStr({-lastSecond}), "31/12/1899 00:00:00");
}

TEST(AutomationDate, EveryWriterReadsANegativeDateTheSameWay) {
    EXPECT_EQ(hostfw::CallArgumentText(hostfw::Variant(TDateTime{-1.25})),
              "date(1899-12-29 06:00:00)");
    EXPECT_EQ(hostfw::Variant(TDateTime{-1.25}).AsString(), "29/12/1899 06:00:00");
}

}  // namespace
