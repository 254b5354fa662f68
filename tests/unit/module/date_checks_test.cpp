#include "host/controls/date_edit_plus.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

class DateChecks : public ModuleTest {
protected:
    void SetUp() override { OpenEmbedded(); }
    TDateEditPlus& Initial() { return Control<TDateEditPlus>("depInicial"); }
    TDateEditPlus& Final() { return Control<TDateEditPlus>("depFinal"); }
    void TypeDates(const std::string& from, const std::string& to) {
        UserActions::ReplaceText(Initial(), from);
        UserActions::ReplaceText(Final(), to);
    }
    void Leave(TDateEditPlus& edit) {
        UserActions::Focus(edit);
        UserActions::Focus(Control<TWinControl>("rdbTCli"));
    }
    void Preview() { UserActions::Click(Control<TControl>("sbtPreview")); }
};

TEST_F(DateChecks, AZeroOrNegativeDateIsRefusedWithTheDateItHolds) {
    for (const char* typed : {"30/12/1899", "29/12/1899", "01/01/1800"}) {
        ui.messages.clear();
        UserActions::ReplaceText(Initial(), typed);
        Leave(Initial());
        EXPECT_EQ(Messages(), std::vector<std::string>{"\"" + std::string(typed) +
                                                       "\" não é uma data válida."});
        EXPECT_EQ(FocusName(), "depInicial");
    }
}

TEST_F(DateChecks, TheFirstDayAfterTheZeroDateIsAccepted) {
    UserActions::ReplaceText(Final(), "31/12/1899");
    Leave(Final());
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(FocusName(), "rdbTCli");
}

TEST_F(DateChecks, AnEmptyDatePassesTheExitCheck) {
    UserActions::ReplaceText(Initial(), "");
    Leave(Initial());
    EXPECT_TRUE(Messages().empty());
}

TEST_F(DateChecks, TextThatIsNoDateIsRefusedByTheEditItself) {
    UserActions::ReplaceText(Final(), "31/02/2026");
    Leave(Final());
    ASSERT_FALSE(Messages().empty());
    EXPECT_EQ(Messages()[0], "\"31/02/2026\" não é uma data válida.");
    EXPECT_EQ(FocusName(), "depFinal");
}

TEST_F(DateChecks, AReversedRangeIsRefusedOnlyWhenTheReportRuns) {
    TypeDates("02/01/2025", "01/01/2025");
    Leave(Initial());
    Leave(Final());
    EXPECT_TRUE(Messages().empty()) << "leaving a date never tests the range";
    Preview();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Data inicial deve ser menor que data final."});
    EXPECT_EQ(FocusName(), "depInicial");
}

TEST_F(DateChecks, EqualDatesAreAValidRange) {
    TypeDates("15/01/2025", "15/01/2025");
    Preview();
    for (const std::string& text : Messages())
        EXPECT_NE(text, "Data inicial deve ser menor que data final.");
}

}  // namespace
}  // namespace moduletest
