#include <gtest/gtest.h>

#include "choices/saved_choice.h"
#include "host/core/date_time.h"
#include "host/core/exception.h"
#include "report/report_script.h"

namespace host {
namespace {

using hostfw::EncodeDate;

TEST(SavedChoice, EveryChoiceSurvivesTheStoredText) {
    SavedChoice choice;
    choice.branch = "0002";
    choice.variant = 1;
    choice.from = "01/01/2025";
    choice.to = "31/01/2025";
    choice.statuses = "";
    choice.clients = std::vector<std::string>{"1", "a \"b\",c"};
    choice.invoices = std::vector<std::string>{};
    const SavedChoice back = ParseChoiceText(ChoiceText(choice), "x");
    EXPECT_EQ(back.branch, choice.branch);
    EXPECT_EQ(back.variant, choice.variant);
    EXPECT_EQ(back.from, choice.from);
    EXPECT_EQ(back.to, choice.to);
    EXPECT_EQ(back.statuses, choice.statuses) << "no box checked is a choice too";
    EXPECT_EQ(back.clients, choice.clients);
    EXPECT_FALSE(back.destinations) << "all destinations: nothing picked";
    EXPECT_EQ(back.invoices, choice.invoices);
}

TEST(SavedChoice, ABrokenTextOrAnUnknownRuleIsRefusedByName) {
    EXPECT_THROW(ParseChoiceText("{\"variant\": \"x\"}", "a"), hostfw::Exception);
    EXPECT_THROW(ParseChoiceText("nada", "a"), hostfw::Exception);
    EXPECT_THROW(ParseChoiceText("{\"period\": \"Semana que vem\"}", "a"), hostfw::Exception);
}

TEST(SavedChoice, ARulesDaysMoveWithToday) {
    SavedChoice choice;
    choice.period = "Mês anterior";
    const ReportChoices march = ReportChoicesOf(choice, EncodeDate(2026, 3, 15));
    EXPECT_EQ(march.from, "01/02/2026");
    EXPECT_EQ(march.to, "28/02/2026");
    const ReportChoices january = ReportChoicesOf(choice, EncodeDate(2026, 1, 2));
    EXPECT_EQ(january.from, "01/12/2025");
    EXPECT_EQ(january.to, "31/12/2025");
}

TEST(SavedChoice, SavedKeysMayBeGoneButKeysGivenOverThemMustExist) {
    SavedChoice choice;
    choice.clients = std::vector<std::string>{"1"};
    choice.destinations = std::vector<std::string>{"0002"};
    ReportChoices over;
    over.destinations = std::vector<std::string>{"0003"};
    over.from = "02/02/2025";
    const ReportChoices merged = Overridden(ReportChoicesOf(choice, EncodeDate(2026, 1, 1)), over);
    EXPECT_EQ(merged.from, "02/02/2025");
    EXPECT_EQ(merged.destinations, over.destinations);
    EXPECT_TRUE(merged.savedKeys.clients);
    EXPECT_FALSE(merged.savedKeys.destinations);
    const std::string lines = ChoiceLines(merged, "", 0);
    EXPECT_NE(lines.find("pick available \"1\"\n"), std::string::npos) << lines;
    EXPECT_NE(lines.find("pick \"0003\"\n"), std::string::npos) << lines;
}

TEST(SavedChoice, TheBranchTypedBeforeIsErasedKeyByKey) {
    const std::string erased =
        "key edtCdFilial 8\nkey edtCdFilial 8\nkey edtCdFilial 8\nkey edtCdFilial 8\n";
    const std::string lines = ChoiceLines(ReportChoices{}, "0002", 4);
    EXPECT_EQ(lines.rfind(erased + "type edtCdFilial \"0002\"\n", 0), 0u) << lines;
    // A branch saved blank is erased and nothing typed; no branch leaves the field alone.
    const std::string blank = ChoiceLines(ReportChoices{}, "", 4);
    EXPECT_EQ(blank.rfind(erased, 0), 0u) << blank;
    EXPECT_EQ(blank.find("type edtCdFilial"), std::string::npos) << blank;
    EXPECT_EQ(ChoiceLines(ReportChoices{}, std::nullopt, 4).find("edtCdFilial"), std::string::npos);
}

TEST(SavedChoice, DatesLeftBlankComeBackBlank) {
    SavedChoice choice;
    choice.from = "01/01/2025";
    choice.to = "";
    const SavedChoice read = ParseChoiceText(ChoiceText(choice), "sem data final");
    EXPECT_EQ(read.to, "");
    const std::string lines = ChoiceLines(ReportChoicesOf(read, EncodeDate(2026, 1, 1)), {}, 0);
    EXPECT_NE(lines.find("date depFinal \"\"\n"), std::string::npos) << lines;
}

}  // namespace
}  // namespace host
