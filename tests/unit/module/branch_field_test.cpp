#include "host/controls/btn_pesquisa.h"
#include "host/data/engine.h"
#include "host/data/query.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

class BranchField : public ModuleTest {
protected:
    TEdit& Code() { return Control<TEdit>("edtCdFilial"); }
    TEdit& Name() { return Control<TEdit>("edtNmFilial"); }
    // The user leaves the code edit for the initial date.
    void LeaveCode() { UserActions::Focus(Control<TWinControl>("depInicial")); }
};

TEST_F(BranchField, TypingKeepsDigitsLettersAndTheFourSignsAsCapitals) {
    OpenEmbedded();
    UserActions::ReplaceText(Code(), "");
    UserActions::Type(Code(), "a1%z");
    EXPECT_EQ(Code().Text(), "A1%Z");
    UserActions::ReplaceText(Code(), "");
    UserActions::Type(Code(),
                      " -/.\xC3\xA9"
                      "b)*");
    EXPECT_EQ(Code().Text(), "B");
    UserActions::Type(Code(), "&'(9");
    EXPECT_EQ(Code().Text(), "B&'(") << "typing stops at four characters";
}

TEST_F(BranchField, ControlKeysPassTheFilterAndActAsInAnEdit) {
    OpenEmbedded();
    UserActions::ReplaceText(Code(), "");
    UserActions::Type(Code(), "12");
    UserActions::PressKey(Code(), 8);
    EXPECT_EQ(Code().Text(), "1");
    UserActions::PressKey(Code(), 13);
    UserActions::PressKey(Code(), 27);
    UserActions::PressKey(Code(), 1);
    EXPECT_EQ(Code().Text(), "1") << "no control character is stored";
    UserActions::PressKey(Code(), 9);
    EXPECT_NE(FocusName(), "edtCdFilial") << "tab moves to the next control";
    EXPECT_EQ(Code().Text(), "0001") << "leaving adjusted the code";
}

TEST_F(BranchField, FreeModeShowsTheSessionBranchAndFocusesTheCode) {
    OpenEmbedded();
    EXPECT_TRUE(Control<TLabel>("lblFilial").Enabled());
    EXPECT_TRUE(Code().Enabled());
    EXPECT_TRUE(Control<TBtnPesquisa>("btpFilial").Enabled());
    EXPECT_EQ(Code().Text(), "0001");
    EXPECT_EQ(Name().Text(), "Matriz São Paulo");
    EXPECT_EQ(FocusName(), "edtCdFilial");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(BranchField, FreeModeWithAnUnknownSessionBranchWaitsUntilTheCodeIsLeft) {
    Session().filiProc = "1";  // stored as "0001": not found unadjusted, silently
    OpenEmbedded();
    EXPECT_EQ(Code().Text(), "1");
    EXPECT_EQ(Name().Text(), "");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(FocusName(), "edtCdFilial");
    LeaveCode();
    EXPECT_EQ(Code().Text(), "0001");
    EXPECT_EQ(Name().Text(), "Matriz São Paulo");
}

TEST_F(BranchField, LeavingWithAnUnregisteredCodeRefusesAndKeepsTheFocus) {
    OpenEmbedded();
    UserActions::ReplaceText(Code(), "9");
    LeaveCode();
    EXPECT_EQ(Messages(), std::vector<std::string>{"Filial não cadastrada."});
    EXPECT_EQ(FocusName(), "edtCdFilial");
    EXPECT_EQ(Code().Text(), "0009");
    EXPECT_EQ(Name().Text(), "");
}

TEST_F(BranchField, LeavingAnEmptyCodeLooksNothingUp) {
    OpenEmbedded();
    UserActions::ReplaceText(Code(), "");
    LeaveCode();
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Name().Text(), "");
    EXPECT_EQ(FocusName(), "depInicial");
}

TEST_F(BranchField, SqlCharactersInTheCodeAreLookedUpAsAValue) {
    OpenEmbedded();
    for (const char* typed : {"'", "%", "&(", "1' O"}) {
        ui.messages.clear();
        UserActions::ReplaceText(Code(), "");
        UserActions::Type(Code(), typed);
        LeaveCode();
        EXPECT_EQ(Messages(), std::vector<std::string>{"Filial não cadastrada."}) << typed;
    }
}

TEST_F(BranchField, ACodeLongerThanTheWidthIsNeverCutToAnotherBranch) {
    Session().filiProc = "00001";
    OpenEmbedded();
    LeaveCode();
    EXPECT_EQ(Code().Text(), "00001");
    EXPECT_EQ(Messages(), std::vector<std::string>{"Filial não cadastrada."});
}

TEST_F(BranchField, LockedModeDisablesTheFieldAndLooksTheBranchUp) {
    Session().moduFili = true;
    Session().filiProc = "2";
    OpenEmbedded();
    EXPECT_FALSE(Control<TLabel>("lblFilial").Enabled());
    EXPECT_FALSE(Code().Enabled());
    EXPECT_FALSE(Control<TBtnPesquisa>("btpFilial").Enabled());
    EXPECT_EQ(Code().Text(), "0002");
    EXPECT_EQ(Name().Text(), "Filial Campinas");
    EXPECT_TRUE(Messages().empty());
}

TEST_F(BranchField, ASessionBranchInSmallLettersIsTheBranchInCapitals) {
    hostfw::TParams branch;
    branch.CreateParam("CODE").SetAsString("00AB");
    branch.CreateParam("NAME").SetAsString("Filial Aberta");
    SharedDatabase()->Execute("INSERT INTO FILIAL (CDFILIAL, NMFILIAL) VALUES (:CODE, :NAME)",
                              branch);
    Session().moduFili = true;
    Session().filiProc = "ab";
    OpenEmbedded();
    EXPECT_EQ(Code().Text(), "00AB");
    EXPECT_EQ(Name().Text(), "Filial Aberta");
    UserActions::Click(Control<TControl>("sbtPreview"));
    EXPECT_TRUE(Messages().empty()) << Messages()[0];
}

TEST_F(BranchField, LockedModeWithAnEmptyCodeIsRefusedLaterWithoutMovingTheFocus) {
    Session().moduFili = true;
    Session().filiProc = "";
    OpenEmbedded();
    EXPECT_TRUE(Messages().empty());
    UserActions::Focus(Control<TWinControl>("depFinal"));
    UserActions::Click(Control<TControl>("sbtPreview"));
    EXPECT_EQ(Messages(), std::vector<std::string>{"Filial deve ser informada."});
    EXPECT_EQ(FocusName(), "depFinal");
}

TEST_F(BranchField, ASearchOffersEveryBranchAndWritesTheChosenCodeAndName) {
    OpenEmbedded();
    ui.searchAnswers.push_back(2);
    UserActions::Click(Control<TBtnPesquisa>("btpFilial"));
    ASSERT_EQ(ui.searchRequests.size(), 1u);
    EXPECT_EQ(ui.searchRequests[0].title, "Filial");
    EXPECT_EQ(ui.searchRequests[0].keys, (std::vector<std::string>{"0001", "0002", "0003"}));
    EXPECT_EQ(Code().Text(), "0003");
    EXPECT_EQ(Name().Text(), "Filial Curitiba");
    UserActions::Type(Code(), "");
    UserActions::PressKey(Code(), 8);
    EXPECT_EQ(Name().Text(), "") << "any change of the code empties the name";
}

}  // namespace
}  // namespace moduletest
