#include "host/controls/date_edit_plus.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

class ValidationGate : public ModuleTest {
protected:
    void SetUp() override {
        OpenEmbedded();
        UserActions::ReplaceText(Control<TDateEditPlus>("depInicial"), "01/01/2025");
        UserActions::ReplaceText(Control<TDateEditPlus>("depFinal"), "31/12/2025");
    }
    void ClickCommand(const char* button) { UserActions::Click(Control<TControl>(button)); }
    void ExpectRefused(const std::string& message, const std::string& focus) {
        EXPECT_EQ(Messages(), std::vector<std::string>{message});
        EXPECT_EQ(FocusName(), focus);
        EXPECT_EQ(Previews(), 0);
    }
    int Previews() const {
        int count = 0;
        for (const std::string& note : ui.notes)
            if (note.rfind("preview: ", 0) == 0)
                ++count;
        return count;
    }
    void UncheckAllStatuses() {
        for (const char* box : {"ckbPend", "ckbEmitida", "ckbAprovada", "ckbCancel"})
            UserActions::Click(Control<TCheckBox>(box));
    }
};

TEST_F(ValidationGate, AValidFormReachesThePreviewExactlyOnce) {
    ClickCommand("sbtPreview");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Previews(), 1);
}

TEST_F(ValidationGate, TheBranchIsCheckedBeforeTheDatesAreRequired) {
    UserActions::ReplaceText(Control<TEdit>("edtCdFilial"), "");
    UserActions::ReplaceText(Control<TDateEditPlus>("depInicial"), "");
    ClickCommand("sbtPreview");
    ExpectRefused("Filial deve ser informada.", "edtCdFilial");
}

TEST_F(ValidationGate, EmptyDatesAreRequiredInOrder) {
    UserActions::ReplaceText(Control<TDateEditPlus>("depInicial"), "");
    UserActions::ReplaceText(Control<TDateEditPlus>("depFinal"), "");
    ClickCommand("sbtPrint");
    ExpectRefused("Data inicial deve ser informada.", "depInicial");
    ui.messages.clear();
    UserActions::ReplaceText(Control<TDateEditPlus>("depInicial"), "01/01/2025");
    ClickCommand("sbtPrint");
    ExpectRefused("Data final deve ser informada.", "depFinal");
}

TEST_F(ValidationGate, ADateOfBlanksAndTabsIsAskedForNotRefusedAsBad) {
    UserActions::ReplaceText(Control<TDateEditPlus>("depInicial"), " \t ");
    ClickCommand("sbtPreview");
    ExpectRefused("Data inicial deve ser informada.", "depInicial");
}

TEST_F(ValidationGate, EachListGroupOnListaNeedsAPick) {
    const struct {
        const char* lista;
        const char* message;
    } groups[] = {{"rdbLCli", "Cliente deve ser informado."},
                  {"rdbLFil", "Filial de destino deve ser informada."},
                  {"rdbLNota", "Nota fiscal deve ser informada."}};
    for (const auto& group : groups) {
        ui.messages.clear();
        UserActions::Click(Control<TRadioButton>(group.lista));
        ClickCommand("sbtPreview");
        ExpectRefused(group.message, group.lista);
        UserActions::Click(Control<TRadioButton>(std::string("rdbT") + (group.lista + 4)));
    }
}

TEST_F(ValidationGate, TheIssueDateReportNeedsAStatus) {
    UncheckAllStatuses();
    ClickCommand("sbtSalvarComo");
    ExpectRefused("Status da nota fiscal deve ser informado.", "ckbPend");
}

TEST_F(ValidationGate, TheCancellationReportRunsWithoutStatuses) {
    UserActions::Select(Control<TComboBox>("cbbReportNames"), 1);
    ClickCommand("sbtPreview");
    EXPECT_TRUE(Messages().empty());
    EXPECT_EQ(Previews(), 1);
}

TEST_F(ValidationGate, ARefusalKeepsEveryValueTheUserGave) {
    UserActions::ReplaceText(Control<TEdit>("edtCdFilial"), "3");
    UncheckAllStatuses();
    UserActions::Click(Control<TCheckBox>("ckbCancel"));
    UserActions::Click(Control<TRadioButton>("rdbLCli"));
    ClickCommand("sbtPreview");
    EXPECT_EQ(Control<TEdit>("edtCdFilial").Text(), "0003");
    EXPECT_EQ(Control<TDateEditPlus>("depInicial").Text(), "01/01/2025");
    EXPECT_TRUE(Control<TCheckBox>("ckbCancel").Checked());
    EXPECT_FALSE(Control<TCheckBox>("ckbPend").Checked());
    EXPECT_TRUE(Control<TRadioButton>("rdbLCli").Checked());
    EXPECT_NE(Form(), nullptr);
}

}  // namespace
}  // namespace moduletest
