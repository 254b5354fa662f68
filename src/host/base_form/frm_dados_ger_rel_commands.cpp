#include "host/base_form/frm_dados_ger_rel.h"
#include "host/base_form/message_format.h"
#include "host/core/child_process.h"
#include "host/data/shared_database.h"
#include "host/report/report_catalog.h"
#include "host/services/mens_erro.h"
#include "host/session/session.h"
#include "host/ui/application.h"
#include "host/ui/host_ui.h"

namespace hostfw {

ReportRequest TfrmDadosGerRel::ReportRequestFor(const ReportDefinition& definition,
                                                Engine& engine) {
    return ReportRequest{engine, definition,
                         [this](TParams& params, bool& cancel) {
                             rpddPadrao->DoBeforeGetQueryParams(params, cancel);
                             if (Application().HasUi())
                                 Application().Ui().ReportQueryBound(params);
                         },
                         std::nullopt};
}

void TfrmDadosGerRel::sbtPreviewClick(TObject* /*sender*/) {
    const ReportDefinition& definition = SelectedDefinition();
    const auto database = SharedDatabase();
    if (const auto text = PreviewReport(ReportRequestFor(definition, *database))) {
        Application().Ui().ShowPreview(definition.title, *text);
        Application().Ui().ReportDelivered();
    }
}

void TfrmDadosGerRel::sbtPrintClick(TObject* /*sender*/) {
    const ReportDefinition& definition = SelectedDefinition();
    const auto database = SharedDatabase();
    const auto printed = PrintReport(ReportRequestFor(definition, *database),
                                     PrintOptions{Session().outputDir, Session().printer});
    if (!printed)
        return;
    HostUi& ui = Application().Ui();
    ui.Notify("printed: " + printed->pdf.string());
    if (printed->sentToPrinter)
        ui.Notify("printer: " + Session().printer);
    if (!printed->notice.empty())
        ui.ShowMessage(printed->notice, MessageKind::Warning);
    ui.ReportDelivered();
}

void TfrmDadosGerRel::sbtSalvarComoClick(TObject* /*sender*/) {
    const ReportDefinition& definition = SelectedDefinition();
    HostUi& ui = Application().Ui();
    const auto title = ui.PromptText(BaseText("NovoCaption"), BaseText("NovoPrompt"), "");
    if (!title)
        return;
    const auto file = SaveReportAs(definition, *title);
    if (!file)
        return;
    ReloadReportNames();
    ui.Notify("saved: " + file->string());
    ui.ReportDelivered();
}

void TfrmDadosGerRel::sbtReportEditClick(TObject* /*sender*/) {
    const std::size_t index = SelectedIndex();
    const std::filesystem::path file = SelectedReportFile();
    Application().Ui().Notify("edit: " + file.string());
    if (const auto command = EditorCommandLine(file))
        RunProgram(*command);
    // Whatever the editor did, the chooser offers the file as it is now.
    const std::string error = catalog_->Reload(index);
    ShowReportNames(static_cast<int>(index));
    if (!error.empty())
        MensErro(FormatMessage(BaseText("Rel_DefInvalida"), {error}), false);
}

bool TfrmDadosGerRel::ExportReport(ReportFileFormat format, const std::filesystem::path& file) {
    const ReportDefinition& definition = SelectedDefinition();
    const auto database = SharedDatabase();
    if (!hostfw::ExportReport(ReportRequestFor(definition, *database), format, file))
        return false;
    Application().Ui().Notify("exported: " + file.string());
    Application().Ui().ReportDelivered();
    return true;
}

bool TfrmDadosGerRel::ExportReport(ReportFileFormat format, std::ostream& out) {
    const ReportDefinition& definition = SelectedDefinition();
    const auto database = SharedDatabase();
    if (!hostfw::ExportReport(ReportRequestFor(definition, *database), format, out))
        return false;
    Application().Ui().ReportDelivered();
    return true;
}

}  // namespace hostfw
