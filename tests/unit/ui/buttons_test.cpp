#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/ui/edit.h"
#include "host/ui/std_controls.h"
#include "host/ui/user_actions.h"
#include "support/fake_host_ui.h"
#include "test_form.h"

namespace {

using hostfw::TCheckBox;
using hostfw::TComboBox;
using hostfw::TEdit;
using hostfw::TGroupBox;
using hostfw::TObject;
using hostfw::TRadioButton;
using hostfw::TSpeedButton;
namespace UserActions = hostfw::UserActions;

class Buttons : public testsupport::FakeUiTest {
protected:
    Buttons() { form.Show(); }

    // Counts the clicks of a control under its name.
    template <class T>
    void CountClicks(T& control) {
        control.OnClick = [this, &control](TObject*) { clicks.push_back(control.Name()); };
    }

    uitest::TestForm form{Owner()};
    TGroupBox& groupA = form.Add<TGroupBox>("grbA", nullptr, 0);
    TRadioButton& allA = form.Add<TRadioButton>("rdbTA", &groupA, 0);
    TRadioButton& listA = form.Add<TRadioButton>("rdbLA", &groupA, 1);
    TGroupBox& groupB = form.Add<TGroupBox>("grbB", nullptr, 1);
    TRadioButton& allB = form.Add<TRadioButton>("rdbTB", &groupB, 0);
    TRadioButton& listB = form.Add<TRadioButton>("rdbLB", &groupB, 1);
    TEdit& edit = form.Add<TEdit>("edtCampo", nullptr, 2);
    std::vector<std::string> clicks;
};

TEST_F(Buttons, CheckingARadioButtonUnchecksItsSiblingsOnly) {
    allA.SetChecked(true);
    allB.SetChecked(true);
    listA.SetChecked(true);
    EXPECT_FALSE(allA.Checked());
    EXPECT_TRUE(listA.Checked());
    EXPECT_TRUE(allB.Checked()) << "another parent's radio buttons are independent";
}

TEST_F(Buttons, ClickingARadioButtonChecksItFocusesItAndRunsItsClick) {
    allA.SetChecked(true);
    CountClicks(listA);
    UserActions::Click(listA);
    EXPECT_TRUE(listA.Checked());
    EXPECT_FALSE(allA.Checked());
    EXPECT_TRUE(listA.Focused());
    EXPECT_EQ(clicks, (std::vector<std::string>{"rdbLA"}));
}

TEST_F(Buttons, ClickingACheckedRadioButtonRunsNothing) {
    listA.SetChecked(true);
    CountClicks(listA);
    UserActions::Click(listA);
    EXPECT_TRUE(clicks.empty());
    EXPECT_TRUE(listA.Checked());
}

TEST_F(Buttons, ARadioButtonWhoseFocusWasRefusedIsNotClicked) {
    allA.SetChecked(true);
    CountClicks(listA);
    UserActions::Focus(edit);
    edit.OnExit = [](TObject*) { hostfw::Abort(); };
    UserActions::Click(listA);
    EXPECT_TRUE(allA.Checked());
    EXPECT_FALSE(listA.Checked());
    EXPECT_TRUE(clicks.empty());
    EXPECT_TRUE(edit.Focused());
}

TEST_F(Buttons, DisabledControlsIgnoreClicks) {
    allA.SetChecked(true);
    CountClicks(listA);
    listA.SetEnabled(false);
    UserActions::Click(listA);
    groupB.SetEnabled(false);
    CountClicks(listB);
    UserActions::Click(listB);
    EXPECT_FALSE(listA.Checked());
    EXPECT_FALSE(listB.Checked());
    EXPECT_TRUE(clicks.empty());
}

TEST_F(Buttons, CheckBoxClickToggles) {
    auto& box = form.Add<TCheckBox>("ckbP", nullptr, 3);
    CountClicks(box);
    UserActions::Click(box);
    EXPECT_TRUE(box.Checked());
    UserActions::Click(box);
    EXPECT_FALSE(box.Checked());
    EXPECT_EQ(clicks.size(), 2u);
}

TEST_F(Buttons, TheSpaceBarTogglesABoxUnlessItsKeyHandlerDiscardsItAndTabMovesOn) {
    auto& box = form.Add<TCheckBox>("ckbP", nullptr, 3);
    CountClicks(box);
    UserActions::PressKey(box, ' ');
    EXPECT_TRUE(box.Checked());
    box.OnKeyPress = [](TObject*, char& key) { key = 0; };
    UserActions::PressKey(box, ' ');
    EXPECT_TRUE(box.Checked()) << "a discarded key clicks nothing";
    EXPECT_EQ(clicks.size(), 1u);
    UserActions::PressKey(allA, 9);
    EXPECT_TRUE(listA.Focused()) << "Tab in a radio button moves the focus as anywhere else";
}

TEST_F(Buttons, SpeedButtonsNeverTakeTheFocusSoNoExitRuns) {
    auto& speed = form.Add<TSpeedButton>("sbtPreview");
    CountClicks(speed);
    int exits = 0;
    edit.OnExit = [&](TObject*) { ++exits; };
    UserActions::Focus(edit);
    UserActions::Click(speed);
    EXPECT_EQ(clicks, (std::vector<std::string>{"sbtPreview"}));
    EXPECT_EQ(exits, 0);
    EXPECT_TRUE(edit.Focused());
}

TEST_F(Buttons, ComboChoiceRaisesChangeOnlyWhenTheIndexChanges) {
    auto& combo = form.Add<TComboBox>("cbbRel", nullptr, 4);
    combo.SetItems({"Emissão", "Cancelamento"});
    std::vector<int> changes;
    combo.OnChange = [&](TObject*) { changes.push_back(combo.ItemIndex()); };
    combo.SetItemIndex(0);  // the program's choice: quiet
    UserActions::Select(combo, 1);
    UserActions::Select(combo, 1);
    UserActions::Select(combo, 0);
    EXPECT_EQ(changes, (std::vector<int>{1, 0}));
}

TEST_F(Buttons, ComboIndexOutOfItsListIsRefused) {
    auto& combo = form.Add<TComboBox>("cbbRel", nullptr, 4);
    combo.SetItems({"Emissão"});
    combo.SetItemIndex(0);
    UserActions::Select(combo, 3);
    EXPECT_EQ(combo.ItemIndex(), 0);
    EXPECT_EQ(ui.messages.size(), 1u);
}

}  // namespace
