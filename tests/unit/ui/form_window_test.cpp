#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/services/mens_erro.h"
#include "host/ui/application.h"
#include "host/ui/edit.h"
#include "host/ui/user_actions.h"
#include "support/fake_host_ui.h"
#include "test_form.h"

namespace {

using hostfw::TCloseAction;
using hostfw::TCustomForm;
using hostfw::TObject;
using uitest::TestForm;
namespace UserActions = hostfw::UserActions;

class FormWindow : public testsupport::FakeUiTest {
protected:
    // Records the window events of a form.
    void Watch(TestForm& form) {
        form.OnShow = [this](TObject*) { events.push_back("show"); };
        form.OnActivate = [this](TObject*) { events.push_back("activate"); };
        form.OnDeactivate = [this](TObject*) { events.push_back("deactivate"); };
    }

    std::vector<std::string> events;
};

TEST_F(FormWindow, ShowRunsOnShowOnlyWhenGoingFromHiddenToShown) {
    TestForm form(Owner());
    Watch(form);
    form.Show();
    form.Show();
    EXPECT_EQ(events, (std::vector<std::string>{"show", "activate"}));
    form.Hide();
    form.Show();
    EXPECT_EQ(events,
              (std::vector<std::string>{"show", "activate", "deactivate", "show", "activate"}));
}

TEST_F(FormWindow, ActivateRunsWhenComingBackFromAnotherWindow) {
    TestForm form(Owner());
    Watch(form);
    form.Show();
    events.clear();
    UserActions::Reactivate(form);
    EXPECT_EQ(events, (std::vector<std::string>{"deactivate", "activate"}));

    TestForm other(Owner());
    other.Show();
    EXPECT_EQ(Screen().ActiveForm(), &other);
    form.Show();
    EXPECT_EQ(events.back(), "activate");
    EXPECT_EQ(Screen().ActiveForm(), &form);
}

TEST_F(FormWindow, OwnMessageBoxesDoNotReactivateTheForm) {
    TestForm form(Owner());
    auto& edit = form.Add<hostfw::TEdit>("edtCampo", nullptr, 0);
    Watch(form);
    form.Show();
    events.clear();
    edit.OnExit = [&edit](TObject*) { hostfw::MensErro(edit, "Data inválida.", true); };
    UserActions::Focus(edit);
    auto& next = form.Add<hostfw::TEdit>("edtOutro", nullptr, 1);
    UserActions::Focus(next);
    EXPECT_EQ(ui.messages.size(), 1u);
    EXPECT_TRUE(events.empty());
}

TEST_F(FormWindow, CloseHidesANormalFormByDefault) {
    TestForm form(Owner());
    form.Show();
    UserActions::Close(form);
    EXPECT_FALSE(form.Showing());
    EXPECT_EQ(Screen().ActiveForm(), nullptr);
}

TEST_F(FormWindow, CloseActionNoneKeepsTheWindowOpen) {
    TestForm form(Owner());
    form.OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caNone; };
    form.Show();
    UserActions::Close(form);
    EXPECT_TRUE(form.Showing());
}

TEST_F(FormWindow, CloseActionFreeFreesTheFormAfterTheEvent) {
    const int before = Application().FormCount();
    auto* form = new TestForm(&Application());
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
    form->Show();
    EXPECT_EQ(Application().FormCount(), before + 1);
    Application().Dispatch([&] {
        form->Close();
        EXPECT_FALSE(destroyed) << "freed only after the current event";
    });
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(Application().FormCount(), before);
    EXPECT_EQ(Screen().ActiveForm(), nullptr);
}

TEST_F(FormWindow, ShowModalRunsTheLoopUntilTheWindowCloses) {
    TestForm form(Owner());
    Watch(form);
    ui.modalActions = [&](TCustomForm& shown) {
        EXPECT_EQ(&shown, &form);
        EXPECT_TRUE(form.Modal());
        UserActions::Close(form);
    };
    EXPECT_EQ(form.ShowModal(), hostfw::mrCancel);
    EXPECT_FALSE(form.Modal());
    EXPECT_FALSE(form.Showing());
    EXPECT_EQ(events.front(), "show");
}

TEST_F(FormWindow, AModalFormFreedOnCloseLivesUntilShowModalReturns) {
    auto* form = new TestForm(&Application());
    bool destroyed = false;
    form->OnDestroy = [&](TObject*) { destroyed = true; };
    form->OnClose = [](TObject*, TCloseAction& action) { action = TCloseAction::caFree; };
    ui.modalActions = [&](TCustomForm& shown) {
        UserActions::Close(shown);
        EXPECT_FALSE(destroyed) << "freed while its modal loop still runs";
    };
    // Shown from outside any event, as a host's entry call does.
    form->ShowModal();
    EXPECT_FALSE(destroyed);
    Application().ProcessReleases();
    EXPECT_TRUE(destroyed) << "freed once ShowModal has returned";
}

TEST_F(FormWindow, ShowModalPutsTheCursorBackAfterwards) {
    TestForm form(Owner());
    Screen().SetCursor(hostfw::crHourGlass);
    int cursorInside = 1;
    ui.modalActions = [&](TCustomForm&) {
        cursorInside = Screen().Cursor();
        UserActions::Close(form);
    };
    form.ShowModal();
    EXPECT_EQ(cursorInside, hostfw::crDefault);
    EXPECT_EQ(Screen().Cursor(), hostfw::crHourGlass);
    Screen().SetCursor(hostfw::crDefault);
}

TEST_F(FormWindow, UserActionsOnAHiddenWindowAreRefused) {
    TestForm form(Owner());
    auto& edit = form.Add<hostfw::TEdit>("edtCampo");
    UserActions::Type(edit, "abc");
    EXPECT_EQ(edit.Text(), "");
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
