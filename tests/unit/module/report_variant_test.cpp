#include "host/ui/edit.h"
#include "host/ui/std_controls.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

class ReportVariant : public ModuleTest {
protected:
    void SetUp() override { OpenEmbedded(); }
    TCheckBox& Box(const char* name) { return Control<TCheckBox>(name); }
    std::vector<bool> Checked() {
        return {Box("ckbPend").Checked(), Box("ckbEmitida").Checked(), Box("ckbAprovada").Checked(),
                Box("ckbCancel").Checked()};
    }
    std::vector<bool> Enabled() {
        return {Control<TGroupBox>("grbStatus").Enabled(), Box("ckbPend").Enabled(),
                Box("ckbEmitida").Enabled(), Box("ckbAprovada").Enabled(),
                Box("ckbCancel").Enabled()};
    }
    std::string DateCaption() { return Control<TGroupBox>("grbDataExp").Caption(); }
    TComboBox& Chooser() { return Control<TComboBox>("cbbReportNames"); }
};

TEST_F(ReportVariant, FirstActivationAppliesTheIssueDateReport) {
    ASSERT_EQ(Chooser().ItemIndex(), 0);
    EXPECT_EQ(Checked(), std::vector<bool>(4, true));
    EXPECT_EQ(Enabled(), std::vector<bool>(5, true));
    EXPECT_EQ(DateCaption(), "Data de Emissão");
    EXPECT_EQ(st("stRel"), "A");
}

TEST_F(ReportVariant, TheCancellationReportClearsAndLocksTheStatuses) {
    UserActions::Select(Chooser(), 1);
    EXPECT_EQ(Checked(), std::vector<bool>(4, false));
    EXPECT_EQ(Enabled(), std::vector<bool>(5, false));
    EXPECT_EQ(DateCaption(), "Dt. Canc. Expedição");
    EXPECT_EQ(st("stRel"), "C");
    UserActions::Select(Chooser(), 0);
    EXPECT_EQ(Checked(), std::vector<bool>(4, true));
    EXPECT_EQ(Enabled(), std::vector<bool>(5, true));
    EXPECT_EQ(st("stRel"), "A");
}

TEST_F(ReportVariant, ReactivationChecksTheStatusesAgain) {
    UserActions::Click(Box("ckbPend"));
    ASSERT_FALSE(Box("ckbPend").Checked());
    UserActions::Reactivate(*Form());
    EXPECT_TRUE(Box("ckbPend").Checked());
}

TEST_F(ReportVariant, OwnDialogsDoNotCountAsActivation) {
    UserActions::Click(Box("ckbPend"));
    UserActions::ReplaceText(Control<TEdit>("edtCdFilial"), "9");
    UserActions::Focus(Control<TWinControl>("rdbTCli"));
    ASSERT_EQ(Messages().size(), 1u);
    EXPECT_FALSE(Box("ckbPend").Checked());
}

TEST_F(ReportVariant, AnIndexOutsideTheTwoVariantsChangesNothing) {
    UserActions::Select(Chooser(), 1);
    Chooser().SetItemIndex(-1);
    UserActions::Reactivate(*Form());
    EXPECT_EQ(Checked(), std::vector<bool>(4, false));
    EXPECT_EQ(DateCaption(), "Dt. Canc. Expedição");
    EXPECT_EQ(st("stRel"), "C");
}

}  // namespace
}  // namespace moduletest
