#include "host/net/call_argument_text.h"

#include <gtest/gtest.h>

#include <cstdint>

#include "host/core/date_time.h"

namespace {

using hostfw::CallArgumentText;
using hostfw::TDateTime;
using hostfw::Variant;

TEST(CallArgumentText, TextIsQuotedWithTheScriptEscapes) {
    EXPECT_EQ(CallArgumentText(Variant("0001")), "\"0001\"");
    EXPECT_EQ(CallArgumentText(Variant("")), "\"\"");
    EXPECT_EQ(CallArgumentText(Variant("a\"b\\c\nd\te")), "\"a\\\"b\\\\c\\nd\\te\"");
    EXPECT_EQ(CallArgumentText(Variant(",1,11,")), "\",1,11,\"");
}

TEST(CallArgumentText, DateShowsTheTimeOfDayOnlyWhenThereIsOne) {
    const TDateTime day = hostfw::EncodeDate(2026, 1, 1);
    EXPECT_EQ(CallArgumentText(Variant(day)), "date(2026-01-01)");
    EXPECT_EQ(CallArgumentText(Variant(TDateTime{day.value + 0.5})), "date(2026-01-01 12:00:00)");
    EXPECT_EQ(CallArgumentText(Variant(TDateTime{day.value + (13 * 3600 + 45 * 60 + 7) / 86400.0})),
              "date(2026-01-01 13:45:07)");
}

TEST(CallArgumentText, TimeRoundsToTheSecondAcrossMidnight) {
    const TDateTime day = hostfw::EncodeDate(2025, 12, 31);
    EXPECT_EQ(CallArgumentText(Variant(TDateTime{day.value + 86399.6 / 86400.0})),
              "date(2026-01-01)");
}

TEST(CallArgumentText, DateOutsideTheCalendarIsWrittenAsItsNumber) {
    EXPECT_EQ(CallArgumentText(Variant(TDateTime{1e300})), "1e+300");
    EXPECT_EQ(CallArgumentText(Variant(TDateTime{-1e12})), "-1e+12");
}

TEST(CallArgumentText, OtherTypes) {
    EXPECT_EQ(CallArgumentText(Variant(std::int64_t{-9007199254740993})), "-9007199254740993");
    EXPECT_EQ(CallArgumentText(Variant(0.1)), "0.1");
    EXPECT_EQ(CallArgumentText(Variant(true)), "true");
    EXPECT_EQ(CallArgumentText(Variant(false)), "false");
    EXPECT_EQ(CallArgumentText(Variant::Null()), "null");
    EXPECT_EQ(CallArgumentText(Variant()), "null");
}

TEST(CallText, JoinsTheArgumentsAfterTheMethod) {
    EXPECT_EQ(hostfw::CallText("GetNota", {"\"0001\"", "date(2026-01-01)", "\"T\""}),
              "GetNota(\"0001\", date(2026-01-01), \"T\")");
    EXPECT_EQ(hostfw::CallText("Ping", {}), "Ping()");
}

}  // namespace
