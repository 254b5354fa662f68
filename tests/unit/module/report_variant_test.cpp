#include "host/ui/edit.h"
#include "host/ui/std_controls.h"
#include "unit/module/module_fixture.h"

namespace moduletest {
namespace {

using namespace hostfw;

class ReportVariant : public ModuleTest {
protected:
    void SetUp() override { OpenEmbedded(); }
    TCheckBox& box(const char* name) { return control<TCheckBox>(name); }
    std::vector<bool> checked() {
        return {box("ckbPend").Checked(), box("ckbEmitida").Checked(), box("ckbAprovada").Checked(),
                box("ckbCancel").Checked()};
    }
    std::vector<bool> enabled() {
        return {control<TGroupBox>("grbStatus").Enabled(), box("ckbPend").Enabled(),
                box("ckbEmitida").Enabled(), box("ckbAprovada").Enabled(),
                box("ckbCancel").Enabled()};
    }
    std::string DateCaption() { return control<TGroupBox>("grbDataExp").Caption(); }
    TComboBox& chooser() { return control<TComboBox>("cbbReportNames"); }
};

TEST_F(ReportVariant, FirstActivationAppliesTheIssueDateReport) {
    ASSERT_EQ(chooser().ItemIndex(), 0);
    EXPECT_EQ(checked(), std::vector<bool>(4, true));
    EXPECT_EQ(enabled(), std::vector<bool>(5, true));
    EXPECT_EQ(DateCaption(), "Data de Emissão");
    EXPECT_EQ(st("stRel"), "A");
}

TEST_F(ReportVariant, TheCancellationReportClearsAndLocksTheStatuses) {
    UserActions::Select(chooser(), 1);
    EXPECT_EQ(checked(), std::vector<bool>(4, false));
    EXPECT_EQ(enabled(), std::vector<bool>(5, false));
    EXPECT_EQ(DateCaption(), "Dt. Canc. Expedição");
    EXPECT_EQ(st("stRel"), "C");
    UserActions::Select(chooser(), 0);
    EXPECT_EQ(checked(), std::vector<bool>(4, true));
    EXPECT_EQ(enabled(), std::vector<bool>(5, true));
    EXPECT_EQ(st("stRel"), "A");
}

TEST_F(ReportVariant, ReactivationChecksTheStatusesAgain) {
    UserActions::Click(box("ckbPend"));
    ASSERT_FALSE(box("ckbPend").Checked());
    UserActions::Reactivate(*form());
    EXPECT_TRUE(box("ckbPend").Checked());
}

TEST_F(ReportVariant, OwnDialogsDoNotCountAsActivation) {
    UserActions::Click(box("ckbPend"));
    UserActions::ReplaceText(control<TEdit>("edtCdFilial"), "9");
    UserActions::Focus(control<TWinControl>("rdbTCli"));
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_FALSE(box("ckbPend").Checked());
}

TEST_F(ReportVariant, AnIndexOutsideTheTwoVariantsChangesNothing) {
    UserActions::Select(chooser(), 1);
    chooser().SetItemIndex(-1);
    UserActions::Reactivate(*form());
    EXPECT_EQ(checked(), std::vector<bool>(4, false));
    EXPECT_EQ(DateCaption(), "Dt. Canc. Expedição");
    EXPECT_EQ(st("stRel"), "C");
}

}  // namespace
}  // namespace moduletest
