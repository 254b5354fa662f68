#include <gtest/gtest.h>

#include "host/core/date_time.h"
#include "host/net/call_argument_text.h"
#include "scripts/script_error.h"
#include "scripts/script_value.h"

namespace host {
namespace {

using Kind = Token::Kind;

TEST(ExpectedValues, ATextIsQuotedCanonically) {
    EXPECT_EQ(ExpectedValueText({{Kind::Text, "a\"b"}}), R"("a\"b")");
}

TEST(ExpectedValues, WordsAreJoinedSoADateWithATimeReadsAsOneValue) {
    EXPECT_EQ(ExpectedValueText({{Kind::Word, "date(2026-01-31"}, {Kind::Word, "10:00:00)"}}),
              "date(2026-01-31 10:00:00)");
}

TEST(ExpectedValues, TodayIsTheCurrentDateAsAServerCallWritesIt) {
    const std::string today =
        hostfw::CallArgumentText(hostfw::Variant(hostfw::DateOf(hostfw::Now())));
    EXPECT_EQ(ExpectedValueText({{Kind::Word, "date(today)"}}), today);
}

TEST(ExpectedValues, MissingOrMixedValuesAreRefused) {
    EXPECT_THROW(ExpectedValueText({}), ScriptError);
    EXPECT_THROW(ExpectedValueText({{Kind::Text, "a"}, {Kind::Word, "b"}}), ScriptError);
    EXPECT_THROW(ExpectedValueText({{Kind::Word, "a"}, {Kind::Text, "b"}}), ScriptError);
}

TEST(ScriptValueComparison, TextsCompareByContentNotBySpelling) {
    EXPECT_TRUE(SameScriptValue(R"("a\"b")", R"("a\"b")"));
    EXPECT_TRUE(SameScriptValue("\"tab\\there\"", "\"tab\there\""));
    EXPECT_FALSE(SameScriptValue(R"("0001")", R"("001")"));
}

TEST(ScriptValueComparison, ATextNeverEqualsTheWordOfTheSameLetters) {
    EXPECT_FALSE(SameScriptValue(R"("null")", "null"));
    EXPECT_FALSE(SameScriptValue("true", R"("true")"));
}

TEST(ScriptValueComparison, OtherValuesCompareAsWritten) {
    EXPECT_TRUE(SameScriptValue("date(2026-01-31)", "date(2026-01-31)"));
    EXPECT_FALSE(SameScriptValue("date(2026-01-31)", "date(2026-01-31 00:00:01)"));
    EXPECT_FALSE(SameScriptValue("1", "01"));
}

}  // namespace
}  // namespace host
