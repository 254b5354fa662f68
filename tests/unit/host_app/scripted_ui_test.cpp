#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "host/core/exception.h"
#include "host/data/params.h"
#include "host/ui/form.h"
#include "host/ui/host_context.h"
#include "scripts/scripted_ui.h"
#include "support/string_rows.h"

namespace host {
namespace {

class ScriptedUiTest : public ::testing::Test {
protected:
    ScriptedUiTest() : transcript_(out_), ui_(transcript_, status_) { status_.SetLine(7); }

    hostfw::ListPickRequest Clients() const {
        return {"Cliente", "", &clientRows_, {false, false, false}};
    }

    testsupport::StringRows clientRows_ = testsupport::StringRows::Keys({"0001", "0002", "0003"});

    std::ostringstream out_;
    RunStatus status_;
    Transcript transcript_;
    ScriptedUi ui_;
};

TEST_F(ScriptedUiTest, APickMarksTheRowsOfItsKeysInRowOrder) {
    ui_.QueuePick({3, std::vector<std::string>{" 0003 ", "0001"}});
    const auto rows = ui_.PickList(Clients());
    ASSERT_TRUE(rows.has_value());
    EXPECT_EQ(*rows, (std::vector<size_t>{0, 2}));
    EXPECT_EQ(out_.str(), "picker: Cliente [3 linhas] -> 0001,0003\n");
    EXPECT_FALSE(status_.Failed());
}

TEST_F(ScriptedUiTest, PickNoneConfirmsWithNothingMarkedAndCancelCancels) {
    ui_.QueuePick({1, std::vector<std::string>{}});
    ui_.QueuePick({2, std::nullopt});
    const auto none = ui_.PickList(Clients());
    ASSERT_TRUE(none.has_value());
    EXPECT_TRUE(none->empty());
    EXPECT_FALSE(ui_.PickList(Clients()).has_value());
    EXPECT_EQ(out_.str(),
              "picker: Cliente [3 linhas] -> nenhuma\npicker: Cliente [3 linhas] -> cancelado\n");
}

TEST_F(ScriptedUiTest, AnUnknownPickKeyFailsTheRunNamingTheKeyAndCancelsThePicker) {
    ui_.QueuePick({3, std::vector<std::string>{"0001", "0099"}});
    EXPECT_FALSE(ui_.PickList(Clients()).has_value());
    ASSERT_TRUE(status_.Failed());
    EXPECT_EQ(status_.Failure()->line, 7);
    EXPECT_NE(status_.Failure()->text.find("\"0099\""), std::string::npos);
}

TEST_F(ScriptedUiTest, APickerWithoutAnAnswerFailsTheRunInsteadOfGuessing) {
    EXPECT_FALSE(ui_.PickList(Clients()).has_value());
    ASSERT_TRUE(status_.Failed());
    EXPECT_NE(status_.Failure()->text.find("sem resposta"), std::string::npos);
}

TEST_F(ScriptedUiTest, AnswersAreTakenOldestFirstAndLeftoversAreListed) {
    ui_.QueueChoice({1, std::string("0002")});
    ui_.QueueChoice({2, std::nullopt});
    ui_.QueueText({3, std::string("Meu título")});
    ui_.QueueText({4, std::nullopt});
    ui_.QueuePick({5, std::nullopt});
    const auto branches = testsupport::StringRows::Keys({"0001", "0002"});
    const hostfw::RowSearchRequest search{"Filial", &branches};
    EXPECT_EQ(ui_.SearchRow(search), std::optional<size_t>(1));
    EXPECT_EQ(ui_.SearchRow(search), std::nullopt);
    EXPECT_EQ(ui_.PromptText("Título", "Informe:", ""), std::optional<std::string>("Meu título"));
    EXPECT_EQ(ui_.PromptText("Título", "Informe:", ""), std::nullopt);
    EXPECT_EQ(ui_.UnusedAnswers(), (std::vector<std::string>{"linha 5: pick"}));
    EXPECT_FALSE(status_.Failed());
}

TEST_F(ScriptedUiTest, MessagesAreWrittenOnOneLineAndQueuedForExpectations) {
    ui_.ShowMessage("Filial não cadastrada.", hostfw::MessageKind::Error);
    ui_.ShowMessage("duas\nlinhas", hostfw::MessageKind::Failure);
    EXPECT_EQ(out_.str(), "message: Filial não cadastrada.\nerror: duas\\nlinhas\n");
    ASSERT_EQ(ui_.Messages().size(), 2u);
    EXPECT_EQ(ui_.Messages()[1].text, "duas\nlinhas");
    EXPECT_FALSE(status_.Failed());
}

TEST_F(ScriptedUiTest, StrictMessagesFailTheRunWithTheRefusalItself) {
    ui_.SetStrictMessages(true);
    ui_.ShowMessage("Impressora indisponível.", hostfw::MessageKind::Warning);
    EXPECT_FALSE(status_.Failed());
    ui_.ShowMessage("Data inicial deve ser menor que data final.", hostfw::MessageKind::Error);
    ASSERT_TRUE(status_.Failed());
    EXPECT_EQ(status_.Failure()->text, "Data inicial deve ser menor que data final.");
}

TEST_F(ScriptedUiTest, EachReportRunIsWrittenOnceEvenWithTheSameValues) {
    hostfw::TParams params;
    params.CreateParam("P_CDFILIAL").SetAsString("0001");
    params.CreateParam("P_STATUS");
    ui_.Observer().ReportQueryBound(params);
    ui_.Observer().Notify({"printed: a.pdf", "Relatório impresso em a.pdf"});
    ui_.Observer().WriteNewReportRuns();
    ui_.Observer().ReportQueryBound(params);
    ui_.Observer().WriteNewReportRuns();
    const std::string once = "param: P_CDFILIAL=\"0001\"\nparam: P_STATUS=null\n";
    EXPECT_EQ(out_.str(), once + "printed: a.pdf\n" + once);
}

TEST_F(ScriptedUiTest, APreviewGoesIntoTheTranscriptOrIntoTheNamedFile) {
    ui_.ShowPreview(std::make_shared<hostfw::TextPreview>("Consulta", "a\nb\n"));
    EXPECT_EQ(out_.str(), "report: Consulta\na\nb\n");

    const std::filesystem::path file =
        std::filesystem::temp_directory_path() / ("preview_" + std::to_string(::getpid()) + ".txt");
    ui_.SetPreviewFile(file);
    ui_.ShowPreview(std::make_shared<hostfw::TextPreview>("Consulta", "c"));
    ui_.ShowPreview(std::make_shared<hostfw::TextPreview>("Consulta", "d\n"));
    std::ifstream in(file);
    const std::string written((std::istreambuf_iterator<char>(in)), {});
    std::filesystem::remove(file);
    EXPECT_EQ(written, "c\nd\n");
    EXPECT_NE(out_.str().find("report: Consulta -> " + file.string()), std::string::npos);
}

TEST_F(ScriptedUiTest, APreviewFileThatIsALinkIsRefusedAndItsTargetKept) {
    const std::filesystem::path target =
        std::filesystem::temp_directory_path() / ("alvo_" + std::to_string(::getpid()) + ".txt");
    const std::filesystem::path link = target.string() + ".link";
    std::ofstream(target) << "intacto";
    std::filesystem::create_symlink(target, link);
    ui_.SetPreviewFile(link);
    EXPECT_THROW(ui_.ShowPreview(std::make_shared<hostfw::TextPreview>("Consulta", "c")),
                 hostfw::Exception);
    std::ifstream in(target);
    const std::string kept((std::istreambuf_iterator<char>(in)), {});
    std::filesystem::remove(link);
    std::filesystem::remove(target);
    EXPECT_EQ(kept, "intacto");
}

TEST_F(ScriptedUiTest, AModalLoopWithoutARunnerFailsAndAborts) {
    struct PlainForm : hostfw::TForm {
        using TForm::TForm;
        std::string ClassName() const override { return "PlainForm"; }
    } form(nullptr);
    EXPECT_THROW(ui_.RunModalLoop(form, [] { return false; }), hostfw::EAbort);
    EXPECT_TRUE(status_.Failed());
}

// The report query is heard by the observer and written by whatever the user sees next, a
// dialog included: both halves write one transcript in the order the run went.
TEST_F(ScriptedUiTest, AReportQueryHeardIsWrittenBeforeTheNextDialog) {
    hostfw::TParams params;
    params.CreateParam("P_CDFILIAL").SetAsString("0002");
    ui_.Observer().ReportQueryBound(params);
    ui_.ShowMessage("Nenhum registro encontrado.", hostfw::MessageKind::Information);
    EXPECT_EQ(out_.str(), "param: P_CDFILIAL=\"0002\"\nmessage: Nenhum registro encontrado.\n");
}

// Installed without a screen, the application hands out the script's dialogs and observer,
// and a long run goes on with nothing to show its progress; taken out, no part is left behind.
TEST_F(ScriptedUiTest, InstalledWithoutAScreenItsPartsAreHandedOutAndTakenBackTogether) {
    hostfw::HostContext context;
    hostfw::TApplication& application = context.Application();
    application.SetUi(ui_, ui_.Observer());
    EXPECT_EQ(&application.Dialogs(), &ui_);
    context.ServerCalls().Notify({"TsmConsulta", "Filiais", {"0001"}});
    ASSERT_TRUE(ui_.Observer().LastServerCall().has_value());
    EXPECT_EQ(ui_.Observer().LastServerCall()->method, "Filiais");
    EXPECT_NE(out_.str().find("call: "), std::string::npos) << out_.str();
    EXPECT_TRUE(application.Progress().RunProgress({}));

    application.SetUi(nullptr);
    EXPECT_FALSE(application.HasUi());
    EXPECT_THROW(application.Observer(), hostfw::Exception);
    EXPECT_THROW(application.Progress(), hostfw::Exception);
    context.ServerCalls().Notify({"TsmConsulta", "Filiais", {"0002"}});
    EXPECT_EQ(ui_.Observer().LastServerCall()->arguments, std::vector<std::string>{"0001"});
}

}  // namespace
}  // namespace host
