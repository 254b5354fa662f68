#include <gtest/gtest.h>

#include "choices/option_choice.h"
#include "host/core/exception.h"
#include "support/published_test_options.h"

namespace host {
namespace {

using hostfw::FormChoice;

using OptionChoice = testsupport::PublishedTestOptions;

TEST_F(OptionChoice, UserValuesStayValuesWhateverTheyHold) {
    ReportChoices options;
    options.from = "01/01/2025\"\nclose";
    options.clients = std::vector<std::string>{"a\"b", "c\nreload"};
    const FormChoice choice = ChoiceOfOptions(options, "00\\1");
    EXPECT_EQ(Control(choice, "edtBranch").text, "00\\1");
    EXPECT_EQ(Control(choice, "dateFrom").text, "01/01/2025\"\nclose");
    ASSERT_EQ(choice.lists.size(), 1u);
    EXPECT_EQ(choice.lists[0].opener, "btnClients");
    EXPECT_EQ(choice.lists[0].keys, (std::vector<std::string>{"a\"b", "c\nreload"}));
    EXPECT_FALSE(choice.lists[0].keysMayBeGone) << "keys given on the command line must exist";
}

TEST_F(OptionChoice, StatusBoxesAreSetOneByOneAndOnlyWhenStatusesAreGiven) {
    EXPECT_FALSE(Has(ChoiceOfOptions({}, std::nullopt), "boxP"));
    ReportChoices options;
    options.statuses = "E";
    const FormChoice choice = ChoiceOfOptions(options, std::nullopt);
    EXPECT_FALSE(Control(choice, "boxP").checked);
    EXPECT_TRUE(Control(choice, "boxE").checked);
    EXPECT_FALSE(Has(choice, "edtBranch")) << "no branch: left as the form opens";
}

TEST_F(OptionChoice, AGroupWithoutAListGoesBackToTodos) {
    ReportChoices options;
    options.destinations = std::vector<std::string>{"0002"};
    const FormChoice choice = ChoiceOfOptions(options, std::nullopt);
    EXPECT_TRUE(Control(choice, "allClients").checked);
    EXPECT_FALSE(Control(choice, "listClients").checked);
    EXPECT_TRUE(Control(choice, "listDest").checked);
    EXPECT_FALSE(Control(choice, "allDest").checked);
    EXPECT_TRUE(Control(choice, "allInv").checked);
    ASSERT_EQ(choice.lists.size(), 1u);
    EXPECT_EQ(choice.lists[0].opener, "btnDest");
}

TEST_F(OptionChoice, SavedKeysMayBeGoneButKeysGivenOverThemMustExist) {
    ReportChoices saved;
    saved.clients = std::vector<std::string>{"1"};
    saved.destinations = std::vector<std::string>{"0002"};
    saved.from = "01/01/2025";
    saved.savedKeys = {true, true, true};
    ReportChoices over;
    over.destinations = std::vector<std::string>{"0003"};
    over.from = "02/02/2025";
    const FormChoice merged = Overridden(ChoiceOfOptions(saved, "0001"), over, std::nullopt);
    EXPECT_EQ(Control(merged, "dateFrom").text, "02/02/2025");
    EXPECT_EQ(Control(merged, "edtBranch").text, "0001") << "the saved branch stays";
    ASSERT_EQ(merged.lists.size(), 2u);
    EXPECT_EQ(merged.lists[0].opener, "btnClients");
    EXPECT_TRUE(merged.lists[0].keysMayBeGone);
    EXPECT_EQ(merged.lists[1].opener, "btnDest");
    EXPECT_EQ(merged.lists[1].keys, std::vector<std::string>{"0003"});
    EXPECT_FALSE(merged.lists[1].keysMayBeGone);
}

TEST_F(OptionChoice, ADateRuleGoesOnBothDatesAndAnOptionTheFormLacksIsRefused) {
    FormChoice choice;
    SetDateRule(choice, "Mês anterior");
    EXPECT_EQ(Control(choice, "dateFrom").dateRule, "Mês anterior");
    EXPECT_FALSE(Control(choice, "dateFrom").ruleLastDay);
    EXPECT_TRUE(Control(choice, "dateTo").ruleLastDay);
    hostfw::WithdrawReportOptions(kUnit);
    EXPECT_THROW(ChoiceOfOptions({}, std::nullopt), hostfw::Exception);
}

}  // namespace
}  // namespace host
