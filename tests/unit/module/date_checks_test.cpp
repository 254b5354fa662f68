#include "host/controls/date_edit_plus.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

class DateChecks : public ModuleTest {
protected:
    void SetUp() override { OpenEmbedded(); }
    TDateEditPlus& initial() { return control<TDateEditPlus>("depInicial"); }
    TDateEditPlus& final() { return control<TDateEditPlus>("depFinal"); }
    void TypeDates(const std::string& from, const std::string& to) {
        UserActions::ReplaceText(initial(), from);
        UserActions::ReplaceText(final(), to);
    }
    void leave(TDateEditPlus& edit) {
        UserActions::Focus(edit);
        UserActions::Focus(control<TWinControl>("rdbTCli"));
    }
    void preview() { UserActions::Click(control<TControl>("sbtPreview")); }
};

TEST_F(DateChecks, AZeroOrNegativeDateIsRefusedWithTheDateItHolds) {
    for (const char* typed : {"30/12/1899", "29/12/1899", "01/01/1800"}) {
        ui.messages.clear();
        UserActions::ReplaceText(initial(), typed);
        leave(initial());
        EXPECT_EQ(messages(), std::vector<std::string>{"\"" + std::string(typed) +
                                                       "\" não é uma data válida."});
        EXPECT_EQ(FocusName(), "depInicial");
    }
}

TEST_F(DateChecks, TheFirstDayAfterTheZeroDateIsAccepted) {
    UserActions::ReplaceText(final(), "31/12/1899");
    leave(final());
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(FocusName(), "rdbTCli");
}

TEST_F(DateChecks, AnEmptyDatePassesTheExitCheck) {
    UserActions::ReplaceText(initial(), "");
    leave(initial());
    EXPECT_TRUE(messages().empty());
}

TEST_F(DateChecks, TextThatIsNoDateIsRefusedByTheEditItself) {
    UserActions::ReplaceText(final(), "31/02/2026");
    leave(final());
    ASSERT_FALSE(messages().empty());
    EXPECT_EQ(messages()[0], "\"31/02/2026\" não é uma data válida.");
    EXPECT_EQ(FocusName(), "depFinal");
}

TEST_F(DateChecks, AReversedRangeIsRefusedOnlyWhenTheReportRuns) {
    TypeDates("02/01/2025", "01/01/2025");
    leave(initial());
    leave(final());
    EXPECT_TRUE(messages().empty()) << "leaving a date never tests the range";
    preview();
    EXPECT_EQ(messages(), std::vector<std::string>{"Data inicial deve ser menor que data final."});
    EXPECT_EQ(FocusName(), "depInicial");
}

TEST_F(DateChecks, EqualDatesAreAValidRange) {
    TypeDates("15/01/2025", "15/01/2025");
    preview();
    for (const std::string& text : messages())
        EXPECT_NE(text, "Data inicial deve ser menor que data final.");
}

}  // namespace
}  // namespace moduletest
