#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/ui/edit.h"
#include "host/ui/user_actions.h"
#include "support/fake_host_ui.h"
#include "test_form.h"

namespace {

using hostfw::TCustomEdit;
using hostfw::TEdit;
using hostfw::TEditCharCase;
using hostfw::TObject;
namespace UserActions = hostfw::UserActions;

class EditTyping : public testsupport::FakeUiTest {
protected:
    EditTyping() {
        edit.OnChange = [this](TObject*) { changes.push_back(edit.Text()); };
        form.Show();
    }

    void Press(unsigned char code) { UserActions::PressKey(edit, code); }

    uitest::TestForm form{Owner()};
    TEdit& edit = form.Add<TEdit>("edtCodigo", nullptr, 0);
    TEdit& other = form.Add<TEdit>("edtOutro", nullptr, 1);
    std::vector<std::string> changes;
};

TEST_F(EditTyping, ProgramTextRaisesChangeOnlyWhenItDiffers) {
    edit.SetText("0001");
    edit.SetText("0001");
    edit.SetText("");
    edit.SetText("");
    EXPECT_EQ(changes, (std::vector<std::string>{"0001", ""}));
}

TEST_F(EditTyping, EachTypedCharacterIsOneChange) {
    UserActions::Type(edit, "ab");
    EXPECT_EQ(changes, (std::vector<std::string>{"a", "ab"}));
}

TEST_F(EditTyping, KeyPressHandlerSeesEachCharacterAndZeroDiscardsIt) {
    std::vector<int> seen;
    edit.OnKeyPress = [&](TObject*, char& key) {
        seen.push_back(static_cast<unsigned char>(key));
        if (key < '0' || key > '9')
            key = 0;
    };
    UserActions::Type(edit, "1a2-");
    EXPECT_EQ(edit.Text(), "12");
    EXPECT_EQ(seen, (std::vector<int>{'1', 'a', '2', '-'}));
    EXPECT_EQ(changes.size(), 2u) << "a discarded key must not raise a change";
}

TEST_F(EditTyping, KeyPressHandlerMayReplaceTheCharacter) {
    edit.OnKeyPress = [](TObject*, char& key) {
        if (key == ',')
            key = '.';
    };
    UserActions::Type(edit, "1,5");
    EXPECT_EQ(edit.Text(), "1.5");
}

TEST_F(EditTyping, ProgramTextBypassesTheKeyFilter) {
    int calls = 0;
    edit.OnKeyPress = [&](TObject*, char& key) {
        ++calls;
        key = 0;
    };
    edit.SetText("x-y");
    EXPECT_EQ(edit.Text(), "x-y");
    EXPECT_EQ(calls, 0);
}

TEST_F(EditTyping, UpperCaseEditStoresCapitalsIncludingAccentedLetters) {
    edit.SetCharCase(TEditCharCase::ecUpperCase);
    UserActions::Type(edit, "ação éü ñ 1%");
    EXPECT_EQ(edit.Text(), "AÇÃO ÉÜ Ñ 1%");
}

TEST_F(EditTyping, UpperCaseLeavesLettersWithoutALatin1CapitalAlone) {
    edit.SetCharCase(TEditCharCase::ecUpperCase);
    UserActions::Type(edit, "ßÿ÷µ");
    EXPECT_EQ(edit.Text(), "ßÿ÷µ");
}

TEST_F(EditTyping, UpperCaseAppliesToProgramTextToo) {
    edit.SetCharCase(TEditCharCase::ecUpperCase);
    edit.SetText("00ab");
    EXPECT_EQ(edit.Text(), "00AB");
    edit.SetText("00AB");
    edit.SetText("00aB");
    EXPECT_EQ(changes, std::vector<std::string>{"00AB"}) << "the same stored text is no change";
}

TEST_F(EditTyping, TurningUpperCaseOnStoresTheTextThereAsCapitals) {
    edit.SetText("ação");
    edit.SetCharCase(TEditCharCase::ecUpperCase);
    EXPECT_EQ(edit.Text(), "AÇÃO");
}

TEST_F(EditTyping, UpperCaseHandlerSeesTheCharacterAsTyped) {
    edit.SetCharCase(TEditCharCase::ecUpperCase);
    std::string seen;
    edit.OnKeyPress = [&](TObject*, char& key) { seen += key; };
    UserActions::Type(edit, "ab");
    EXPECT_EQ(seen, "ab");
    EXPECT_EQ(edit.Text(), "AB");
}

TEST_F(EditTyping, MaxLengthLimitsTypingOnly) {
    edit.SetMaxLength(4);
    UserActions::Type(edit, "123456");
    EXPECT_EQ(edit.Text(), "1234");
    edit.SetText("abcdefgh");
    EXPECT_EQ(edit.Text(), "abcdefgh");
}

TEST_F(EditTyping, MaxLengthCountsCharactersNotBytes) {
    edit.SetMaxLength(3);
    UserActions::Type(edit, "çãéx");
    EXPECT_EQ(edit.Text(), "çãé");
}

TEST_F(EditTyping, TypingIntoAFreshlyFocusedEditReplacesItsText) {
    edit.SetMaxLength(4);
    edit.SetText("0001");
    UserActions::Focus(other);
    UserActions::Type(edit, "12");
    EXPECT_EQ(edit.Text(), "12");
}

TEST_F(EditTyping, TypingIntoTheFocusedEditAppendsAtTheCaret) {
    UserActions::Type(edit, "12");
    UserActions::Type(edit, "34");
    EXPECT_EQ(edit.Text(), "1234");
}

TEST_F(EditTyping, BackspaceDeletesTheCharacterBeforeTheCaret) {
    UserActions::Type(edit, "abç");
    Press(8);
    EXPECT_EQ(edit.Text(), "ab");
    Press(8);
    Press(8);
    Press(8);  // nothing left: no change, no failure
    EXPECT_EQ(edit.Text(), "");
    EXPECT_EQ(changes.back(), "");
    EXPECT_EQ(changes.size(), 6u);
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(EditTyping, BackspaceDeletesTheWholeSelection) {
    edit.SetText("0001");
    UserActions::Focus(other);
    UserActions::Focus(edit);  // entering selects everything
    Press(8);
    EXPECT_EQ(edit.Text(), "");
}

TEST_F(EditTyping, KeyFilterSeesBackspaceAndMayDiscardIt) {
    edit.SetText("12");
    edit.OnKeyPress = [](TObject*, char& key) {
        if (key == 8)
            key = 0;
    };
    Press(8);
    EXPECT_EQ(edit.Text(), "12");
}

TEST_F(EditTyping, ControlCharactersAreNeverStored) {
    for (unsigned char code : {13, 10, 27, 1, 31, 127, 0x85, 0x9F})
        Press(code);
    EXPECT_EQ(edit.Text(), "");
    EXPECT_TRUE(changes.empty());
}

TEST_F(EditTyping, ReturnReachesTheKeyFilter) {
    int returns = 0;
    edit.OnKeyPress = [&](TObject*, char& key) {
        if (key == 13)
            ++returns;
    };
    Press(13);
    EXPECT_EQ(returns, 1);
    EXPECT_EQ(edit.Text(), "");
}

TEST_F(EditTyping, TabMovesTheFocusInTabOrderAndIsNotStored) {
    Press(9);
    EXPECT_TRUE(other.Focused());
    EXPECT_EQ(edit.Text(), "");
}

TEST_F(EditTyping, CharactersBeyondLatin1AreRefusedWithAMessage) {
    UserActions::Type(edit, "a€b");
    EXPECT_EQ(edit.Text(), "a");
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, hostfw::MessageKind::Failure);
}

TEST_F(EditTyping, ReadOnlyEditTakesNoTypedText) {
    edit.SetReadOnly(true);
    edit.SetText("abc");
    UserActions::Type(edit, "x");
    Press(8);
    EXPECT_EQ(edit.Text(), "abc");
}

}  // namespace
