#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstdlib>
#include <deque>

#include "host/base_form/frm_dados_ger_rel.h"
#include "host/session/session.h"
#include "host/ui/application.h"
#include "host/ui/host_context.h"
#include "host/ui/user_actions.h"
#include "report_test_support.h"
#include "support/fake_host_ui.h"

namespace reporttest {
namespace {

using hostfw::MessageKind;
using hostfw::UserActions::Click;
using ::testing::ElementsAre;
using ::testing::HasSubstr;
using ::testing::IsEmpty;
using ::testing::StartsWith;

// A report form of code EXP036 whose parameter handler assigns the choices of the test.
class TTestReportForm : public hostfw::TfrmDadosGerRel {
public:
    using TfrmDadosGerRel::TfrmDadosGerRel;
    std::string ClassName() const override { return "TTestReportForm"; }
    static inline std::string definition;

protected:
    void LoadDefinitions() override {
        TfrmDadosGerRel::LoadDefinitions();
        ApplyDefinition(definition, "teste.dfm");
    }
};

const char* const kPlainDefinition = R"(inherited frmTesteRelatorio: TTestReportForm
  inherited lblCodRel: TLabel
    Caption = 'EXP036'
  end
end
)";

// Answers text prompts from a queue and keeps what the previews showed.
class ReportFormUi : public testsupport::FakeHostUi {
public:
    std::deque<std::optional<std::string>> promptAnswers;
    std::vector<std::string> prompts;
    std::vector<std::string> previewTexts;

    std::optional<std::string> PromptText(const std::string& caption, const std::string& prompt,
                                          const std::string&) override {
        prompts.push_back(caption + " / " + prompt);
        if (promptAnswers.empty()) {
            ADD_FAILURE() << "no answer queued for the prompt";
            return std::nullopt;
        }
        auto answer = promptAnswers.front();
        promptAnswers.pop_front();
        return answer;
    }

    void ShowPreview(std::shared_ptr<const hostfw::ReportPreview> preview) override {
        previewTexts.push_back(preview->Text());
        FakeHostUi::ShowPreview(std::move(preview));
    }

    // The user's "Cancelar" on the progress of a run.
    bool stopRuns = false;
    bool RunProgress(const hostfw::RunStep&) override { return !stopRuns; }
};

class ReportForm : public ReportTest {
protected:
    ReportForm() {
        context.Application().SetUi(&ui);
        context.Session().reportDir = reportFolder.string();
        context.Session().database = (folder / "teste.sqlite").string();
        context.Session().outputDir = (folder / "saida").string();
        TTestReportForm::definition = kPlainDefinition;
        unsetenv("VISUAL");
        unsetenv("EDITOR");
        // No print server answers here, whatever the machine has.
        setenv("CUPS_SERVER", (folder / "sem-cups.sock").c_str(), 1);
    }
    ~ReportForm() override {
        delete form;
        context.Database().Close();
        context.Application().SetUi(nullptr);
        unsetenv("EDITOR");
        unsetenv("CUPS_SERVER");
    }

    void Open() {
        context.Application().CreateForm(form);
        form->Show();
        form->rpddPadrao->BeforeGetQueryParams = [this](hostfw::TParams& params, bool&) {
            AssignChoices(params, choices);
        };
    }

    // An editor that runs `script` on the file it is given.
    void UseEditor(const std::string& script) {
        const std::filesystem::path editor = folder / "editor.sh";
        WriteFile(editor, "#!/bin/sh\n" + script + "\n");
        chmod(editor.c_str(), 0755);
        setenv("EDITOR", editor.c_str(), 1);
    }

    hostfw::HostContext context;
    ReportFormUi ui;
    FormChoices choices;
    TTestReportForm* form = nullptr;
};

TEST_F(ReportForm, TheChooserOffersTheReportsOfTheFormsCodeInSequenceOrder) {
    WriteFile(reportFolder / "EXP036-010.json", "{}");
    WriteFile(reportFolder / "EXP037-001.json", ReadFile(reportFolder / "EXP036-001.json"));
    WriteFile(reportFolder / "EXP036-01.json", "{}");  // not a definition file name
    Open();
    EXPECT_THAT(
        form->cbbReportNames->Items(),
        ElementsAre("Consulta Lançamentos - Data de Emissão",
                    "Consulta Lançamentos - Dt. Canc. Expedição", "EXP036-010.json (inválido)"));
    EXPECT_EQ(form->cbbReportNames->ItemIndex(), 0);
    EXPECT_THAT(ui.messages, IsEmpty());
}

TEST_F(ReportForm, WithoutDefinitionsTheFormStillOpensAndSaysWhereItLooked) {
    context.Session().reportDir = (folder / "nao-existe").string();
    Open();
    ASSERT_NE(form, nullptr);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "O arquivo contendo a definição do relatório de código 'EXP036' não foi encontrado "
              "no diretório '" +
                  (folder / "nao-existe").string() + "'.");
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Error);
    EXPECT_THAT(form->cbbReportNames->Items(), IsEmpty());
    // A command then asks for a report instead of failing.
    Click(*form->sbtPreview);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_EQ(ui.messages[1].text, "Selecione um relatório na lista.");
}

TEST_F(ReportForm, TheDescendantsMessageTableWordsTheBaseFormsTexts) {
    TTestReportForm::definition = R"(inherited frmTesteRelatorio: TTestReportForm
  inherited lblCodRel: TLabel
    Caption = 'EXP036'
  end
  inherited msgPadrao: TMessages
    Messages.Strings = (
      'Arq_Rel_Err|Sem %s em %s.')
  end
end
)";
    std::filesystem::remove_all(reportFolder);
    std::filesystem::create_directories(reportFolder);
    Open();
    EXPECT_THAT(ui.MessageTexts(), ElementsAre("Sem EXP036 em " + reportFolder.string() + "."));
}

TEST_F(ReportForm, PreviewShowsTheReportAndRecordsTheParametersAsBound) {
    Open();
    choices.statuses = "EA";
    Click(*form->sbtPreview);
    EXPECT_THAT(ui.messages, IsEmpty());
    ASSERT_EQ(ui.previewTexts.size(), 1u);
    EXPECT_THAT(ui.notes, ElementsAre("preview: Consulta Lançamentos - Data de Emissão"));
    EXPECT_THAT(ui.previewTexts[0], HasSubstr("Total geral: 2 nota(s)"));
    const hostfw::TParams& bound = ui.reportParams;
    EXPECT_EQ(bound.ParamByName("P_STATUS").Value(), hostfw::Variant("EA"));
    EXPECT_EQ(bound.ParamByName("P_DATAINI").Value(), hostfw::Variant(EncodeDate(2025, 1, 1)));
}

TEST_F(ReportForm, AParameterTheHandlerLeavesAloneIsRecordedUnassigned) {
    Open();
    form->rpddPadrao->BeforeGetQueryParams = [this](hostfw::TParams& params, bool&) {
        AssignChoices(params, choices);
        params.ParamByName("P_TNOTA").Clear();
    };
    Click(*form->sbtPreview);
    EXPECT_FALSE(ui.reportParams.ParamByName("P_TNOTA").IsAssigned());
    EXPECT_EQ(ui.reportParams.ParamByName("P_NOTA").Value(), hostfw::Variant(""));
    EXPECT_THAT(ui.previewTexts.at(0), HasSubstr("Nenhum lançamento encontrado"));
}

TEST_F(ReportForm, PrintWritesThePdfIntoTheOutputFolderAndSaysWhere) {
    Open();
    hostfw::UserActions::Select(*form->cbbReportNames, 1);
    choices.branch = "0002";
    Click(*form->sbtPrint);
    EXPECT_THAT(ui.messages, IsEmpty());
    ASSERT_EQ(ui.notes.size(), 1u);
    EXPECT_THAT(ui.notes[0], StartsWith("printed: " + (folder / "saida" / "EXP036-002_").string()));
    const std::string pdf = ui.notes[0].substr(9);
    EXPECT_TRUE(std::filesystem::exists(pdf));
    // Without any printer the person is told the paper did not come out, and where to look.
    EXPECT_EQ(ui.notices[0].text,
              "Nenhuma impressora disponível: o relatório ficou no arquivo " + pdf + ".");
    EXPECT_EQ(ui.notices[0].folder, folder / "saida");
}

TEST_F(ReportForm, APdfAskedForByNameIsKeptWithoutLookingForAPrinter) {
    Open();
    context.Session().keepPrintedPdf = true;
    Click(*form->sbtPrint);
    ASSERT_EQ(ui.notices.size(), 1u);
    EXPECT_THAT(ui.notices[0].text, StartsWith("Relatório gravado em "));
    EXPECT_TRUE(ui.notices[0].folder.empty()) << "nobody expected paper";
}

TEST_F(ReportForm, ACancelledRunLeavesANoticeOnlyAndTheNextRunWorks) {
    Open();
    ui.stopRuns = true;
    Click(*form->sbtPrint);
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_THAT(ui.notes, ElementsAre(StartsWith("cancelled: Consulta Lançamentos")));
    EXPECT_TRUE(std::filesystem::is_empty(folder / "saida")) << "no PDF, not even half of one";

    ui.stopRuns = false;
    Click(*form->sbtPrint);
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_THAT(ui.notes.back(), StartsWith("printed: "));
}

TEST_F(ReportForm, SaveAsAsksTheTitleAndTheChooserShowsTheCopyAtOnce) {
    Open();
    hostfw::UserActions::Select(*form->cbbReportNames, 1);
    ui.promptAnswers = {std::string("Cancelamentos de janeiro")};
    Click(*form->sbtSalvarComo);
    EXPECT_THAT(ui.prompts, ElementsAre("Título do relatório / Informe o título do relatório:"));
    EXPECT_THAT(ui.notes, ElementsAre("saved: " + (reportFolder / "EXP036-003.json").string()));
    EXPECT_THAT(
        form->cbbReportNames->Items(),
        ElementsAre("Consulta Lançamentos - Data de Emissão",
                    "Consulta Lançamentos - Dt. Canc. Expedição", "Cancelamentos de janeiro"));
    EXPECT_EQ(form->cbbReportNames->ItemIndex(), 1);
}

TEST_F(ReportForm, ACancelledOrBlankTitleSavesNothing) {
    Open();
    ui.promptAnswers = {std::nullopt, std::string("   ")};
    Click(*form->sbtSalvarComo);
    Click(*form->sbtSalvarComo);
    EXPECT_THAT(ui.notes, IsEmpty());
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_EQ(form->cbbReportNames->Items().size(), 2u);
    EXPECT_FALSE(std::filesystem::exists(reportFolder / "EXP036-003.json"));
}

TEST_F(ReportForm, WithoutAnEditorTheFileIsNamedForTheUser) {
    Open();
    Click(*form->sbtReportEdit);
    EXPECT_THAT(ui.notes, ElementsAre("edit: " + (reportFolder / "EXP036-001.json").string()));
    // Nothing opens, so the person is told why and what to set.
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].text,
              "Nenhum editor configurado para relatórios: defina a variável VISUAL ou EDITOR "
              "(por exemplo, EDITOR=gedit) para editar EXP036-001.json.");
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Information);
}

TEST_F(ReportForm, ADefinitionBrokenInTheEditorIsReportedAndLeftUnused) {
    Open();
    UseEditor("printf '{ \"report\": ' > \"$1\"");
    Click(*form->sbtReportEdit);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_THAT(ui.messages[0].text, HasSubstr("erro de sintaxe JSON"));
    EXPECT_THAT(ui.messages[0].text,
                HasSubstr("O relatório fica indisponível até que a definição seja corrigida."));
    EXPECT_EQ(form->cbbReportNames->Items()[0], "EXP036-001.json (inválido)");
    EXPECT_EQ(form->cbbReportNames->ItemIndex(), 0);

    // Running it is refused with the same explanation; the other variant still runs.
    Click(*form->sbtPreview);
    ASSERT_EQ(ui.messages.size(), 2u);
    EXPECT_THAT(ui.messages[1].text, HasSubstr("erro de sintaxe JSON"));
    EXPECT_THAT(ui.previewTexts, IsEmpty());
    hostfw::UserActions::Select(*form->cbbReportNames, 1);
    Click(*form->sbtPreview);
    EXPECT_EQ(ui.previewTexts.size(), 1u);
}

TEST_F(ReportForm, ADefinitionMendedInTheEditorIsUsableAgainUnderItsNewTitle) {
    const std::string good = ReadFile(reportFolder / "EXP036-001.json");
    WriteFile(reportFolder / "EXP036-001.json", "quebrado");
    Open();
    EXPECT_EQ(form->cbbReportNames->Items()[0], "EXP036-001.json (inválido)");
    std::string mended = good;
    mended.replace(mended.find("Consulta Lançamentos - Data de Emissão"),
                   std::string("Consulta Lançamentos - Data de Emissão").size(), "Por emissão");
    WriteFile(folder / "mended.json", mended);
    UseEditor("cp '" + (folder / "mended.json").string() + "' \"$1\"");
    Click(*form->sbtReportEdit);
    EXPECT_THAT(ui.messages, IsEmpty());
    EXPECT_EQ(form->cbbReportNames->Items()[0], "Por emissão");
    Click(*form->sbtPreview);
    EXPECT_THAT(ui.notes.back(), "preview: Por emissão");
}

TEST_F(ReportForm, AFailingQueryShowsTheDatabasesMessageAndTheFormCarriesOn) {
    Open();
    database->ExecuteScript("DROP TABLE EXPEDICAO; DROP TABLE NOTAFISCAL");
    Click(*form->sbtPreview);
    ASSERT_EQ(ui.messages.size(), 1u);
    EXPECT_EQ(ui.messages[0].kind, MessageKind::Failure);
    EXPECT_THAT(ui.messages[0].text, HasSubstr("no such table"));
    EXPECT_THAT(ui.previewTexts, IsEmpty());
    // Nothing is left half done: the chooser is intact and the next command runs.
    EXPECT_EQ(form->cbbReportNames->Items().size(), 2u);
    ui.promptAnswers = {std::string("Cópia")};
    Click(*form->sbtSalvarComo);
    EXPECT_THAT(ui.notes, ElementsAre("saved: " + (reportFolder / "EXP036-003.json").string()));
}

TEST_F(ReportForm, ExportRunsTheSelectedReportIntoTheChosenFile) {
    Open();
    const std::filesystem::path file = folder / "relatorio.csv";
    EXPECT_TRUE(form->ExportCsv(file));
    EXPECT_EQ(SplitLines(ReadFile(file), "\r\n").size(), 5u);
    EXPECT_THAT(ui.notes, ElementsAre("exported: " + file.string()));
    EXPECT_EQ(ui.reportParams.ParamByName("P_CDFILIAL").Value(), hostfw::Variant("0001"));
}

}  // namespace
}  // namespace reporttest
