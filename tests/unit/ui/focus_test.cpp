#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/exception.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"
#include "host/ui/user_actions.h"
#include "support/fake_host_ui.h"
#include "test_form.h"

namespace {

using hostfw::TEdit;
using hostfw::TGroupBox;
using hostfw::TObject;
using hostfw::TWinControl;
namespace UserActions = hostfw::UserActions;

class Focus : public testsupport::FakeUiTest {
protected:
    Focus() {
        for (TEdit* e : {&first, &second, &third, &inBox}) {
            e->OnEnter = [this, e](TObject*) { events.push_back("enter " + e->Name()); };
            e->OnExit = [this, e](TObject*) { events.push_back("exit " + e->Name()); };
        }
        form.Show();
        UserActions::Focus(first);
        events.clear();
    }

    TWinControl* Focused() const { return form.ActiveControl(); }

    uitest::TestForm form{Owner()};
    TEdit& first = form.Add<TEdit>("edtPrimeiro", nullptr, 0);
    TEdit& second = form.Add<TEdit>("edtSegundo", nullptr, 1);
    TGroupBox& box = form.Add<TGroupBox>("grbCaixa", nullptr, 2);
    TEdit& inBox = form.Add<TEdit>("edtNaCaixa", &box, 0);
    TEdit& third = form.Add<TEdit>("edtTerceiro", nullptr, 3);
    std::vector<std::string> events;
};

TEST_F(Focus, ExitRunsBeforeTheFocusMovesAndEnterAfter) {
    first.OnExit = [this](TObject*) {
        events.push_back("exit while focused: " + Focused()->Name());
    };
    UserActions::Focus(second);
    EXPECT_EQ(events,
              (std::vector<std::string>{"exit while focused: edtPrimeiro", "enter edtSegundo"}));
    EXPECT_EQ(Focused(), &second);
}

TEST_F(Focus, FocusingTheFocusedControlRunsNoEvents) {
    UserActions::Focus(first);
    EXPECT_TRUE(events.empty());
}

TEST_F(Focus, DisabledOrHiddenControlsNeverTakeTheFocus) {
    second.SetEnabled(false);
    UserActions::Focus(second);
    third.SetVisible(false);
    UserActions::Focus(third);
    EXPECT_EQ(Focused(), &first);
    EXPECT_TRUE(events.empty()) << "a refused focus must not run the exit event";
}

TEST_F(Focus, AControlInADisabledParentNeverTakesTheFocus) {
    box.SetEnabled(false);
    EXPECT_FALSE(inBox.CanFocus());
    UserActions::Focus(inBox);
    EXPECT_EQ(Focused(), &first);
    box.SetEnabled(true);
    UserActions::Focus(inBox);
    EXPECT_EQ(Focused(), &inBox);
}

TEST_F(Focus, ProgramFocusOnADisabledControlIsAFailureThatMovesNothing) {
    second.SetEnabled(false);
    EXPECT_THROW(second.SetFocus(), hostfw::Exception);
    EXPECT_EQ(Focused(), &first);
    EXPECT_TRUE(events.empty());
}

TEST_F(Focus, ExitHandlerMovingTheFocusBackKeepsIt) {
    first.OnExit = [this](TObject*) { first.SetFocus(); };
    UserActions::Focus(second);
    EXPECT_EQ(Focused(), &first);
    EXPECT_TRUE(events.empty()) << "the target must not be entered";
}

TEST_F(Focus, ExitHandlerThatAbortsLeavesTheFocusWhereItWas) {
    first.OnExit = [](TObject*) { hostfw::Abort(); };
    UserActions::Focus(second);
    EXPECT_EQ(Focused(), &first);
    EXPECT_TRUE(ui.messages.empty()) << "the silent abort shows nothing";
}

TEST_F(Focus, ExitHandlerThatFailsShowsItsMessageOnceAndKeepsTheFocus) {
    first.OnExit = [](TObject*) { throw hostfw::Exception("falhou"); };
    UserActions::Focus(second);
    EXPECT_EQ(Focused(), &first);
    EXPECT_EQ(ui.MessageTexts(), (std::vector<std::string>{"falhou"}));
}

TEST_F(Focus, ExitHandlerMayMoveTheFocusToAThirdControl) {
    int exits = 0;
    first.OnExit = [&](TObject*) {
        ++exits;
        third.SetFocus();
    };
    UserActions::Focus(second);
    EXPECT_EQ(Focused(), &third);
    EXPECT_EQ(exits, 1) << "the exit event of the control being left runs once";
    EXPECT_EQ(events, (std::vector<std::string>{"enter edtTerceiro"}));
}

TEST_F(Focus, ExitHandlerThatMovesTheFocusAndThenAbortsKeepsThatFocus) {
    first.OnExit = [&](TObject*) {
        third.SetFocus();
        hostfw::Abort();
    };
    UserActions::Focus(second);
    EXPECT_EQ(Focused(), &third);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(Focus, TabFollowsTabOrderThroughContainersAndSkipsUnusableControls) {
    std::vector<std::string> visited;
    for (int i = 0; i < 4; ++i) {
        UserActions::PressKey(*Focused(), 9);
        visited.push_back(Focused()->Name());
    }
    EXPECT_EQ(visited,
              (std::vector<std::string>{"edtSegundo", "edtNaCaixa", "edtTerceiro", "edtPrimeiro"}));
    box.SetEnabled(false);
    UserActions::PressKey(second, 9);
    EXPECT_EQ(Focused(), &third);
}

TEST_F(Focus, TabOrderNotCreationOrderDecides) {
    second.SetTabOrder(5);
    UserActions::PressKey(first, 9);
    EXPECT_EQ(Focused(), &inBox);
}

TEST_F(Focus, ControlsOutsideTheTabStopAreSkipped) {
    second.SetTabStop(false);
    UserActions::PressKey(first, 9);
    EXPECT_EQ(Focused(), &inBox);
}

TEST_F(Focus, TabFromAControlTabDoesNotStopAtStartsFromItsPlace) {
    second.SetTabStop(false);
    UserActions::Focus(second);
    UserActions::Tab(second, false);
    EXPECT_EQ(Focused(), &first);
    UserActions::Focus(second);
    UserActions::Tab(second, true);
    EXPECT_EQ(Focused(), &inBox);
    form.SelectNext(nullptr, false);
    EXPECT_EQ(Focused(), &third) << "from no control, backward starts at the last";
}

}  // namespace
