#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "host/controls/date_edit_plus.h"
#include "host/core/date_time.h"
#include "host/core/exception.h"
#include "host/ui/application.h"
#include "host/ui/edit.h"
#include "host/ui/user_actions.h"
#include "support/fake_host_ui.h"
#include "test_form.h"

namespace {

using hostfw::EncodeDate;
using hostfw::TDateEditPlus;
using hostfw::TDateTime;
using hostfw::TEdit;
using hostfw::TObject;
namespace UserActions = hostfw::UserActions;

class DateEdit : public testsupport::FakeUiTest {
protected:
    DateEdit() {
        date.SetSaveTime(false);
        form.Show();
        UserActions::Focus(before);
    }

    // CheckValidDate run as a handler would run it: the abort ends the event.
    bool CheckPasses() {
        bool passed = false;
        Application().Dispatch([&] {
            date.CheckValidDate();
            passed = true;
        });
        return passed;
    }

    uitest::TestForm form{Owner()};
    TEdit& before = form.Add<TEdit>("edtAntes", nullptr, 0);
    TDateEditPlus& date = form.Add<TDateEditPlus>("depDataIni", nullptr, 1);
    TEdit& after = form.Add<TEdit>("edtDepois", nullptr, 2);
};

TEST_F(DateEdit, EmptyEditReadsAsZero) {
    EXPECT_EQ(date.Text(), "");
    EXPECT_EQ(date.GetDate().value, 0.0);
    date.SetText("  /  /    ");
    EXPECT_EQ(date.GetDate().value, 0.0);
}

TEST_F(DateEdit, SetDateShowsDayMonthYear) {
    date.SetDate(EncodeDate(2025, 3, 7));
    EXPECT_EQ(date.Text(), "07/03/2025");
    EXPECT_EQ(date.GetDate(), EncodeDate(2025, 3, 7));
}

TEST_F(DateEdit, WithoutSaveTimeTheTimeOfDayIsDropped) {
    date.SetDate(TDateTime{EncodeDate(2025, 3, 7).value + 0.75});
    EXPECT_EQ(date.GetDate(), EncodeDate(2025, 3, 7));
}

TEST_F(DateEdit, WithSaveTimeTheTimeStaysOnlyWhileTheDayIsShown) {
    date.SetSaveTime(true);
    const TDateTime evening{EncodeDate(2025, 3, 7).value + 0.75};
    date.SetDate(evening);
    EXPECT_EQ(date.GetDate(), evening);
    UserActions::ReplaceText(date, "08/03/2025");
    EXPECT_EQ(date.GetDate(), EncodeDate(2025, 3, 8));
}

TEST_F(DateEdit, TypedTextIsTheDate) {
    UserActions::ReplaceText(date, "29/02/2024");
    EXPECT_EQ(date.GetDate(), EncodeDate(2024, 2, 29));
}

TEST_F(DateEdit, ARefusedTextNeverLeavesAStaleDate) {
    date.SetDate(EncodeDate(2025, 3, 7));
    UserActions::ReplaceText(date, "31/02/2025");
    EXPECT_EQ(date.GetDate().value, 0.0);
}

TEST_F(DateEdit, CheckPassesEmptyAndRealDates) {
    EXPECT_TRUE(CheckPasses());
    date.SetText("  /  /    ");
    EXPECT_TRUE(CheckPasses());
    date.SetText("31/12/2026");
    EXPECT_TRUE(CheckPasses());
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_TRUE(before.Focused()) << "a passing check moves nothing";
}

TEST_F(DateEdit, CheckRefusesWithTheTextFocusAndAbort) {
    for (const std::string text :
         {"31/02/2025", "1/1/2025", "01/01/25", "abc", "00/00/0000", "01-01-2025", "01/13/2025 "}) {
        ui.messages.clear();
        UserActions::Focus(before);
        date.SetText(text);
        EXPECT_FALSE(CheckPasses()) << text;
        ASSERT_EQ(ui.messages.size(), 1u) << text;
        EXPECT_EQ(ui.messages[0].text, "\"" + text + "\" não é uma data válida.");
        EXPECT_EQ(ui.messages[0].kind, hostfw::MessageKind::Error);
        EXPECT_TRUE(date.Focused()) << text;
    }
}

TEST_F(DateEdit, CheckFromAnotherControlsExitPutsTheFocusOnTheDate) {
    date.SetText("32/01/2025");
    int exits = 0;
    before.OnExit = [&](TObject*) {
        ++exits;
        date.CheckValidDate();
    };
    UserActions::Focus(after);
    EXPECT_TRUE(date.Focused());
    EXPECT_EQ(exits, 1);
    EXPECT_EQ(ui.messages.size(), 1u);
}

TEST_F(DateEdit, DisabledDateEditCannotTakeTheFocusOfItsRefusal) {
    date.SetText("xx");
    date.SetEnabled(false);
    EXPECT_FALSE(CheckPasses());
    EXPECT_TRUE(before.Focused());
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"\"xx\" não é uma data válida."}))
        << "the refusal is explained, not the focus";
}

}  // namespace
