#include <algorithm>

#include "host/base_form/choice_apply.h"
#include "host/base_form/choice_capture.h"
#include "host/controls/btn_pesquisa.h"
#include "host/controls/date_edit_plus.h"
#include "host/core/date_time.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

// A person's actions straight through the toolkit, each written down as it is taken; a
// dialog is answered with the rows of the keys given (a key no row has is left out).
class RecordedActions : public ChoiceActions {
public:
    explicit RecordedActions(testsupport::FakeHostUi& ui) : ui_(ui) {}

    void Type(TCustomEdit& edit, const std::string& text) override {
        done.push_back("type " + edit.Name() + " " + text);
        UserActions::Type(edit, text);
    }
    void PressKey(TWinControl& control, unsigned char code) override {
        done.push_back("key " + control.Name() + " " + std::to_string(code));
        UserActions::PressKey(control, code);
    }
    void ReplaceText(TCustomEdit& edit, const std::string& text) override {
        done.push_back("replace " + edit.Name() + " " + text);
        UserActions::ReplaceText(edit, text);
    }
    void Click(TControl& control) override {
        done.push_back("click " + control.Name());
        UserActions::Click(control);
    }
    void Select(TComboBox& combo, int index) override {
        done.push_back("select " + combo.Name() + " " + std::to_string(index));
        UserActions::Select(combo, index);
    }
    void Pick(TControl& opener, const std::vector<std::string>& keys, bool) override {
        done.push_back("pick " + opener.Name());
        ui_.pickKeyAnswers.push_back(keys);
        UserActions::Click(opener);
    }

    std::vector<std::string> done;

private:
    testsupport::FakeHostUi& ui_;
};

class FormChoiceTest : public ModuleTest {
protected:
    void SetUp() override { OpenEmbedded(); }

    void Reopen() {
        UserActions::Close(*Form());
        Application().ProcessReleases();
        OpenEmbedded();
    }

    std::vector<std::string> Apply(const FormChoice& choice, TDateTime today = Now()) {
        actions.done.clear();
        return ApplyFormChoice(*Form(), choice, actions, today);
    }

    std::size_t Step(const std::string& action) const {
        const auto found = std::find(actions.done.begin(), actions.done.end(), action);
        EXPECT_NE(found, actions.done.end()) << action << " was not done";
        return static_cast<std::size_t>(found - actions.done.begin());
    }

    // Picks a list through its group's "Lista" radio and search button, as a person does.
    void PickThrough(const char* listRadio, const char* opener, std::vector<std::string> keys) {
        UserActions::Click(Control<TRadioButton>(listRadio));
        ui.pickKeyAnswers.push_back(std::move(keys));
        UserActions::Click(Control<TBtnPesquisa>(opener));
    }

    TEdit& Branch() { return Control<TEdit>("edtCdFilial"); }
    TDateEditPlus& From() { return Control<TDateEditPlus>("depInicial"); }
    TDateEditPlus& To() { return Control<TDateEditPlus>("depFinal"); }

    RecordedActions actions{ui};
};

TEST_F(FormChoiceTest, EveryControlAndEveryPickedListComesBackOnAFreshForm) {
    UserActions::ReplaceText(Branch(), "");
    UserActions::Type(Branch(), "0002");
    UserActions::ReplaceText(From(), "01/01/2025");
    UserActions::ReplaceText(To(), "31/01/2025");
    UserActions::Click(Control<TCheckBox>("ckbAprovada"));
    PickThrough("rdbLCli", "btnCli", {"3", "1"});
    PickThrough("rdbLFil", "btnFilDest", {"0003"});
    const FormChoice made = CaptureFormChoice(*Form());
    ASSERT_EQ(made.lists.size(), 2u);
    EXPECT_EQ(made.lists[0].opener, "btnCli");
    EXPECT_EQ(made.lists[0].keys, (std::vector<std::string>{"3", "1"}));
    EXPECT_EQ(made.lists[1].opener, "btnFilDest");

    Reopen();
    st("stListaCliente").clear();
    st("stFilialDest").clear();
    EXPECT_TRUE(Apply(made).empty());
    EXPECT_EQ(FormChoiceText(CaptureFormChoice(*Form())), FormChoiceText(made));
    EXPECT_EQ(Branch().Text(), "0002");
    EXPECT_FALSE(Control<TCheckBox>("ckbAprovada").Checked());
    EXPECT_EQ(st("stListaCliente"), ",3,1,");
    EXPECT_EQ(st("stFilialDest"), ",0003,");
    EXPECT_TRUE(Messages().empty()) << Messages().front();
}

TEST_F(FormChoiceTest, ATextIsErasedKeyByKeyThenTypedAndBlanksComeBackBlank) {
    FormChoice choice;
    choice.controls.push_back(TextChoice("edtCdFilial", "0002"));
    Apply(choice);
    EXPECT_EQ(actions.done, (std::vector<std::string>{"key edtCdFilial 8", "key edtCdFilial 8",
                                                      "key edtCdFilial 8", "key edtCdFilial 8",
                                                      "type edtCdFilial 0002"}));

    UserActions::ReplaceText(To(), "31/01/2025");
    choice.controls = {TextChoice("edtCdFilial", ""), TextChoice("depFinal", "")};
    Apply(choice);
    EXPECT_EQ(Branch().Text(), "");
    EXPECT_EQ(To().Text(), "") << "a date left blank is not today's";
    EXPECT_EQ(FormChoiceText(CaptureFormChoice(*Form())).find("31/01/2025"), std::string::npos);
}

TEST_F(FormChoiceTest, TheVariantComesBeforeTheStatusesAndTheInvoiceSearchLast) {
    FormChoice choice = CaptureFormChoice(*Form());
    for (const char* list : {"rdbLCli", "rdbLNota"})
        FindControlChoice(choice, list)->checked = true;
    for (const char* all : {"rdbTCli", "rdbTNota"})
        FindControlChoice(choice, all)->checked = false;
    FindControlChoice(choice, "ckbPend")->checked = false;
    // As made: the invoices picked first, the clients after.
    choice.lists = {{"btnNota", {"7"}, true}, {"btnCli", {"1"}, true}};
    UserActions::Select(Control<TComboBox>("cbbReportNames"), 1);
    Apply(choice);
    EXPECT_LT(Step("select cbbReportNames 0"), Step("click ckbPend"))
        << "the variant checks every status box again";
    EXPECT_FALSE(Control<TCheckBox>("ckbPend").Checked());
    EXPECT_LT(Step("pick btnCli"), Step("pick btnNota"));
    EXPECT_EQ(actions.done.back(), "pick btnNota") << "it sends every other choice";
}

TEST_F(FormChoiceTest, AListCountsOnlyWhileItsGroupIsOnLista) {
    PickThrough("rdbLCli", "btnCli", {"2"});
    UserActions::Click(Control<TRadioButton>("rdbTCli"));
    EXPECT_TRUE(CaptureFormChoice(*Form()).lists.empty()) << "\"Todos\" picks nothing";
    UserActions::Click(Control<TRadioButton>("rdbLCli"));
    EXPECT_EQ(CaptureFormChoice(*Form()).lists.size(), 1u) << "the list stays in force";

    Reopen();
    FormChoice todos = CaptureFormChoice(*Form());
    PickThrough("rdbLCli", "btnCli", {"2"});
    Apply(todos);
    EXPECT_TRUE(Control<TRadioButton>("rdbTCli").Checked()) << "a choice on Todos replaces Lista";
    EXPECT_FALSE(Control<TBtnPesquisa>("btnCli").Enabled());
}

TEST_F(FormChoiceTest, WhatTheFormNoLongerHasIsNamedAndTheRestIsSet) {
    FormChoice choice;
    choice.controls.push_back(TextChoice("edtGone", "x"));
    choice.controls.push_back(CheckedChoice("depInicial", false));
    choice.controls.push_back(TextChoice("depFinal", "28/02/2025"));
    choice.lists.push_back({"btnGone", {"1"}, true});
    const std::vector<std::string> notices = Apply(choice);
    ASSERT_EQ(notices.size(), 3u);
    EXPECT_NE(notices[0].find("'depInicial'"), std::string::npos) << notices[0];
    EXPECT_NE(notices[1].find("'edtGone'"), std::string::npos) << notices[1];
    EXPECT_NE(notices[2].find("'btnGone'"), std::string::npos) << notices[2];
    EXPECT_EQ(To().Text(), "28/02/2025");
}

ControlChoice RuleChoice(const std::string& control, bool lastDay) {
    ControlChoice choice = TextChoice(control, "");
    choice.dateRule = "Mês anterior";
    choice.ruleLastDay = lastDay;
    return choice;
}

TEST_F(FormChoiceTest, ADateRuleIsCountedFromTheDayItIsApplied) {
    FormChoice choice;
    choice.controls = {RuleChoice("depInicial", false), RuleChoice("depFinal", true)};
    Apply(choice, EncodeDate(2026, 3, 15));
    EXPECT_EQ(From().Text(), "01/02/2026");
    EXPECT_EQ(To().Text(), "28/02/2026");
    Apply(choice, EncodeDate(2026, 1, 2));
    EXPECT_EQ(From().Text(), "01/12/2025");
    EXPECT_EQ(To().Text(), "31/12/2025");
}

TEST_F(FormChoiceTest, TheStoredTextIsVersionedAndAnUntypedOneIsLeftToItsReader) {
    FormChoice choice = CaptureFormChoice(*Form());
    choice.lists.push_back({"btnCli", {"1", "a \"b\",c"}, true});
    const std::string text = FormChoiceText(choice);
    EXPECT_NE(text.find("\"version\":2"), std::string::npos) << text;
    const auto back = ParseFormChoiceText(text, "x");
    ASSERT_TRUE(back);
    EXPECT_EQ(FormChoiceText(*back), text);
    EXPECT_FALSE(ParseFormChoiceText("{\"variant\":1}", "antiga"));
    EXPECT_THROW(ParseFormChoiceText("{\"version\":2,\"controls\":3}", "x"), Exception);
    EXPECT_THROW(ParseFormChoiceText("[1]", "x"), Exception);
    EXPECT_THROW(ParseFormChoiceText("{\"version\":3,\"controls\":[],\"lists\":[]}", "x"),
                 Exception);
}

}  // namespace
}  // namespace moduletest
