#pragma once

#include <cstddef>
#include <filesystem>
#include <memory>
#include <string>

#include "host/base_form/frm_dados_ger_rel_members.h"
#include "host/base_form/report_designer_dialog.h"
#include "host/report/report_commands.h"
#include "host/services/messages.h"
#include "host/ui/form.h"
#include "host/ui/std_controls.h"
#include "hostfw_export.h"

namespace hostfw {

// The base report-parameter form: the report chooser, the four report commands, the
// report designer dialog and two message tables. A descendant adds its parameter controls
// inside grbDadosRel and binds its handlers by the names the base definition uses. Its
// members and handler table are generated from its stored definition.
class ReportCatalog;

class HOSTFW_EXPORT TfrmDadosGerRel : public TForm, public TfrmDadosGerRelMembers {
public:
    explicit TfrmDadosGerRel(TComponent* owner);
    ~TfrmDadosGerRel() override;
    std::string ClassName() const override { return "TfrmDadosGerRel"; }

    // Fills the report chooser with the definitions of this form's report code; when there
    // is none the user is told, and the form still opens.
    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    // The closed instance is freed: the next opening creates a new one.
    void FormClose(TObject* sender, TCloseAction& action);
    // The selected report as text on screen.
    void sbtPreviewClick(TObject* sender);
    // The selected report as a PDF in the session's output folder, and to its printer.
    void sbtPrintClick(TObject* sender);
    // A copy of the selected definition under a title the user gives.
    void sbtSalvarComoClick(TObject* sender);
    // The selected definition in the user's editor, checked again afterwards.
    void sbtReportEditClick(TObject* sender);

    // Runs the selected report into a file, as the host's command line asks: the same
    // parameter handler as the commands. False when the handler cancelled the run.
    bool ExportReport(ReportFileFormat format, const std::filesystem::path& file);
    // The same onto a stream (the host's standard output).
    bool ExportReport(ReportFileFormat format, std::ostream& out);
    // The report code the form is for, as its label shows it: what its saved choices belong to.
    std::string ReportCode() const;
    // The commands a person clicks to run the report: on screen, or printed.
    TControl& PreviewCommand() const;
    TControl& PrintCommand() const;

    bool ExportCsv(const std::filesystem::path& file) {
        return ExportReport(ReportFileFormat::Csv, file);
    }
    bool ExportXlsx(const std::filesystem::path& file) {
        return ExportReport(ReportFileFormat::Xlsx, file);
    }

    // The session of the form's context, as the form's code calls it: the working branch,
    // whether the session is bound to it, and the application server's address.
    std::string FiliProc() const;
    bool ModuFili() const;
    std::string WebURL() const;
    int WebPort() const;
    // An error told through the form's own context (MensErro of the framework).
    void MensErro(const std::string& text, bool abort) const;
    // The wait animation of the form's own context (ActiveShowAvi of the framework).
    void ActiveShowAvi(TCustomForm* form, int kind) const;
    void DeactiveShowAvi() const;
    bool ShowAviActive() const;

protected:
    void RegisterHandlers(HandlerTable& table) override;
    void LoadDefinitions() override;
    void BindMembers() override;

private:
    // The base form's own texts: the descendant's table first, so it can reword them.
    std::string BaseText(const std::string& key) const;
    void FillReportNames();
    // Reads the definitions again and keeps the chooser's selection where it was.
    void ReloadReportNames();
    // The catalogue's titles into the chooser, item `itemIndex` selected (or the last one).
    void ShowReportNames(int itemIndex);
    std::size_t SelectedIndex() const;
    // The selected definition's file, sound or not; raises a clear error when none is selected.
    std::filesystem::path SelectedReportFile() const;
    // The selected definition; raises a clear error when it is broken.
    const ReportDefinition& SelectedDefinition() const;
    // A run of `definition` on `engine` whose parameters go through rpddPadrao's handler and
    // are recorded as bound.
    ReportRequest ReportRequestFor(const ReportDefinition& definition, Engine& engine);

    std::unique_ptr<ReportCatalog> catalog_;
};

}  // namespace hostfw
