#include "host/controls/btn_pesquisa.h"
#include "host/data/engine.h"
#include "host/data/query.h"
#include "host/data/shared_database.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

class BranchField : public ModuleTest {
protected:
    TEdit& code() { return control<TEdit>("edtCdFilial"); }
    TEdit& name() { return control<TEdit>("edtNmFilial"); }
    // The user leaves the code edit for the initial date.
    void LeaveCode() { UserActions::Focus(control<TWinControl>("depInicial")); }
};

TEST_F(BranchField, TypingKeepsDigitsLettersAndTheFourSignsAsCapitals) {
    OpenEmbedded();
    UserActions::ReplaceText(code(), "");
    UserActions::Type(code(), "a1%z");
    EXPECT_EQ(code().Text(), "A1%Z");
    UserActions::ReplaceText(code(), "");
    UserActions::Type(code(),
                      " -/.\xC3\xA9"
                      "b)*");
    EXPECT_EQ(code().Text(), "B");
    UserActions::Type(code(), "&'(9");
    EXPECT_EQ(code().Text(), "B&'(") << "typing stops at four characters";
}

TEST_F(BranchField, ControlKeysPassTheFilterAndActAsInAnEdit) {
    OpenEmbedded();
    UserActions::ReplaceText(code(), "");
    UserActions::Type(code(), "12");
    UserActions::PressKey(code(), 8);
    EXPECT_EQ(code().Text(), "1");
    UserActions::PressKey(code(), 13);
    UserActions::PressKey(code(), 27);
    UserActions::PressKey(code(), 1);
    EXPECT_EQ(code().Text(), "1") << "no control character is stored";
    UserActions::PressKey(code(), 9);
    EXPECT_NE(FocusName(), "edtCdFilial") << "tab moves to the next control";
    EXPECT_EQ(code().Text(), "0001") << "leaving adjusted the code";
}

TEST_F(BranchField, FreeModeShowsTheSessionBranchAndFocusesTheCode) {
    OpenEmbedded();
    EXPECT_TRUE(control<TLabel>("lblFilial").Enabled());
    EXPECT_TRUE(code().Enabled());
    EXPECT_TRUE(control<TBtnPesquisa>("btpFilial").Enabled());
    EXPECT_EQ(code().Text(), "0001");
    EXPECT_EQ(name().Text(), "Matriz São Paulo");
    EXPECT_EQ(FocusName(), "edtCdFilial");
    EXPECT_TRUE(messages().empty());
}

TEST_F(BranchField, FreeModeWithAnUnknownSessionBranchWaitsUntilTheCodeIsLeft) {
    Session().filiProc = "1";  // stored as "0001": not found unadjusted, silently
    OpenEmbedded();
    EXPECT_EQ(code().Text(), "1");
    EXPECT_EQ(name().Text(), "");
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(FocusName(), "edtCdFilial");
    LeaveCode();
    EXPECT_EQ(code().Text(), "0001");
    EXPECT_EQ(name().Text(), "Matriz São Paulo");
}

TEST_F(BranchField, LeavingWithAnUnregisteredCodeRefusesAndKeepsTheFocus) {
    OpenEmbedded();
    UserActions::ReplaceText(code(), "9");
    LeaveCode();
    EXPECT_EQ(messages(), std::vector<std::string>{"Filial não cadastrada."});
    EXPECT_EQ(FocusName(), "edtCdFilial");
    EXPECT_EQ(code().Text(), "0009");
    EXPECT_EQ(name().Text(), "");
}

TEST_F(BranchField, LeavingAnEmptyCodeLooksNothingUp) {
    OpenEmbedded();
    UserActions::ReplaceText(code(), "");
    LeaveCode();
    EXPECT_TRUE(messages().empty());
    EXPECT_EQ(name().Text(), "");
    EXPECT_EQ(FocusName(), "depInicial");
}

TEST_F(BranchField, SqlCharactersInTheCodeAreLookedUpAsAValue) {
    OpenEmbedded();
    for (const char* typed : {"'", "%", "&(", "1' O"}) {
        ui.messages.clear();
        UserActions::ReplaceText(code(), "");
        UserActions::Type(code(), typed);
        LeaveCode();
        EXPECT_EQ(messages(), std::vector<std::string>{"Filial não cadastrada."}) << typed;
    }
}

TEST_F(BranchField, ACodeLongerThanTheWidthIsNeverCutToAnotherBranch) {
    Session().filiProc = "00001";
    OpenEmbedded();
    LeaveCode();
    EXPECT_EQ(code().Text(), "00001");
    EXPECT_EQ(messages(), std::vector<std::string>{"Filial não cadastrada."});
}

TEST_F(BranchField, LockedModeDisablesTheFieldAndLooksTheBranchUp) {
    Session().moduFili = true;
    Session().filiProc = "2";
    OpenEmbedded();
    EXPECT_FALSE(control<TLabel>("lblFilial").Enabled());
    EXPECT_FALSE(code().Enabled());
    EXPECT_FALSE(control<TBtnPesquisa>("btpFilial").Enabled());
    EXPECT_EQ(code().Text(), "0002");
    EXPECT_EQ(name().Text(), "Filial Campinas");
    EXPECT_TRUE(messages().empty());
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
    EXPECT_EQ(code().Text(), "00AB");
    EXPECT_EQ(name().Text(), "Filial Aberta");
    UserActions::Click(control<TControl>("sbtPreview"));
    EXPECT_TRUE(messages().empty()) << messages()[0];
}

TEST_F(BranchField, LockedModeWithAnEmptyCodeIsRefusedLaterWithoutMovingTheFocus) {
    Session().moduFili = true;
    Session().filiProc = "";
    OpenEmbedded();
    EXPECT_TRUE(messages().empty());
    UserActions::Focus(control<TWinControl>("depFinal"));
    UserActions::Click(control<TControl>("sbtPreview"));
    EXPECT_EQ(messages(), std::vector<std::string>{"Filial deve ser informada."});
    EXPECT_EQ(FocusName(), "depFinal");
}

TEST_F(BranchField, ASearchOffersEveryBranchAndWritesTheChosenCodeAndName) {
    OpenEmbedded();
    ui.searchAnswers.push_back(2);
    UserActions::Click(control<TBtnPesquisa>("btpFilial"));
    ASSERT_EQ(ui.searchRequests.size(), 1u);
    EXPECT_EQ(ui.searchRequests[0].title, "Filial");
    EXPECT_EQ(ui.searchRequests[0].keys, (std::vector<std::string>{"0001", "0002", "0003"}));
    EXPECT_EQ(code().Text(), "0003");
    EXPECT_EQ(name().Text(), "Filial Curitiba");
    UserActions::Type(code(), "");
    UserActions::PressKey(code(), 8);
    EXPECT_EQ(name().Text(), "") << "any change of the code empties the name";
}

}  // namespace
}  // namespace moduletest
