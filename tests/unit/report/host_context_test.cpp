// Two programs' contexts side by side in one process: each form reads the session, the report
// folder, the UI and the observers of the context it was created under, never the other's.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "host/base_form/frm_dados_ger_rel.h"
#include "host/core/exception.h"
#include "host/report/report_run_observer.h"
#include "host/ui/host_context.h"
#include "host/ui/package_entry.h"
#include "support/failure_of.h"
#include "support/fake_host_ui.h"

namespace reporttest {
namespace {

using ::testing::HasSubstr;

class TContextReportForm : public hostfw::TfrmDadosGerRel {
public:
    using TfrmDadosGerRel::TfrmDadosGerRel;
    std::string ClassName() const override { return "TContextReportForm"; }

protected:
    void LoadDefinitions() override {
        TfrmDadosGerRel::LoadDefinitions();
        ApplyDefinition(R"(inherited frmContexto: TContextReportForm
  inherited lblCodRel: TLabel
    Caption = 'EXP036'
  end
end
)",
                        "contexto.dfm");
    }
};

// One program: its context, the UI its application shows through, and a form created under it.
struct Program {
    explicit Program(const std::string& reportDir) {
        context.Session().reportDir = reportDir;
        context.Application().SetUi(&ui);
    }
    ~Program() { context.Application().SetUi(nullptr); }

    TContextReportForm& Open() {
        context.Application().CreateForm(form);
        return *form;
    }

    hostfw::HostContext context;
    testsupport::FakeHostUi ui;
    TContextReportForm* form = nullptr;
};

TEST(HostContexts, EachFormReadsTheSessionOfItsOwnContext) {
    Program free(EXP036_SOURCE_DIR "/reports");
    free.context.Session().filiProc = "0001";
    free.context.Session().webUrl = "10.0.0.1";
    free.context.Session().webPort = 9001;
    Program bound(EXP036_SOURCE_DIR "/reports");
    bound.context.Session().filiProc = "0002";
    bound.context.Session().person = hostfw::Person{"maria", "Maria", "0007", true};
    bound.context.Session().webUrl = "10.0.0.2";

    const TContextReportForm& freeForm = free.Open();
    const TContextReportForm& boundForm = bound.Open();
    EXPECT_EQ(freeForm.FiliProc(), "0001");
    EXPECT_FALSE(freeForm.ModuFili());
    EXPECT_EQ(freeForm.WebURL(), "10.0.0.1");
    EXPECT_EQ(freeForm.WebPort(), 9001);
    EXPECT_EQ(boundForm.FiliProc(), "0007") << "the person's home branch, bound";
    EXPECT_TRUE(boundForm.ModuFili());
    EXPECT_EQ(boundForm.WebURL(), "10.0.0.2");

    // A change in one session is seen by its own form at once, and by no other.
    free.context.Session().filiProc = "0003";
    EXPECT_EQ(freeForm.FiliProc(), "0003");
    EXPECT_EQ(boundForm.FiliProc(), "0007");
    EXPECT_EQ(&freeForm.Context(), &free.context);
    EXPECT_EQ(&boundForm.Context(), &bound.context);
}

TEST(HostContexts, AFormToldSomethingTellsItThroughItsOwnContextsUi) {
    Program found(EXP036_SOURCE_DIR "/reports");
    Program missing("/nenhuma/pasta/de/relatorios");
    found.Open();
    missing.Open();
    EXPECT_TRUE(found.ui.messages.empty()) << "its folder holds the EXP036 definitions";
    ASSERT_EQ(missing.ui.messages.size(), 1u);
    EXPECT_NE(missing.ui.messages[0].text.find("/nenhuma/pasta/de/relatorios"), std::string::npos)
        << missing.ui.messages[0].text;
    EXPECT_EQ(found.context.Application().FormCount(), 1);
    EXPECT_EQ(missing.context.Application().FormCount(), 1);
}

TEST(HostContexts, AReportRunIsHeardOnlyByItsOwnContextsObserver) {
    Program heard(EXP036_SOURCE_DIR "/reports");
    Program other(EXP036_SOURCE_DIR "/reports");
    std::vector<std::string> heardRuns;
    std::vector<std::string> otherRuns;
    heard.context.ReportRuns().Install(
        [&](const hostfw::ReportRunRecord& run) { heardRuns.push_back(run.outputKind); });
    other.context.ReportRuns().Install(
        [&](const hostfw::ReportRunRecord& run) { otherRuns.push_back(run.outputKind); });
    // No database is configured: the preview fails, and the run is still heard, as it ended.
    EXPECT_THROW(heard.Open().sbtPreviewClick(nullptr), hostfw::Exception);
    ASSERT_EQ(heardRuns.size(), 1u);
    EXPECT_EQ(heardRuns[0], "visualizar");
    EXPECT_TRUE(otherRuns.empty());
}

// A package's Application() and Screen() answer for the context the host entered it with, for
// that call only; outside any entry they say so rather than reach some other context.
TEST(HostContexts, APackageReachesOnlyTheContextItWasEnteredWith) {
    EXPECT_THAT(testsupport::FailureOf([] { hostfw::Application(); }),
                HasSubstr("fora da entrada de um pacote (IniProc)"));
    hostfw::HostContext first;
    hostfw::HostContext second;
    {
        const hostfw::PackageEntry entry(first);
        EXPECT_EQ(&hostfw::Application(), &first.Application());
        EXPECT_EQ(&hostfw::Screen(), &first.Screen());
        {
            const hostfw::PackageEntry inner(second);
            EXPECT_EQ(&hostfw::Application(), &second.Application());
        }
        EXPECT_EQ(&hostfw::Screen(), &first.Screen()) << "the inner entry gives the outer back";
    }
    EXPECT_THAT(testsupport::FailureOf([] { hostfw::Screen(); }),
                HasSubstr("Screen() foi chamado fora da entrada"));
}

}  // namespace
}  // namespace reporttest
