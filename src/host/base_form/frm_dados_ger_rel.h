#pragma once

#include <string>
#include <vector>

#include "host/base_form/report_designer_dialog.h"
#include "host/services/messages.h"
#include "host/ui/form.h"
#include "host/ui/std_controls.h"
#include "hostfw_export.h"

namespace hostfw {

// The base report-parameter form: the report chooser, the four report commands, the
// report designer dialog and two message tables. A descendant adds its parameter controls
// inside grbDadosRel and binds its handlers by the names the base definition uses.
class HOSTFW_EXPORT TfrmDadosGerRel : public TForm {
public:
    explicit TfrmDadosGerRel(TComponent* owner);
    ~TfrmDadosGerRel() override;
    std::string ClassName() const override { return "TfrmDadosGerRel"; }

    TLabel* lblCodTela = nullptr;
    TLabel* lblCodRel = nullptr;
    TGroupBox* grbDadosRel = nullptr;
    TPanel* panRelat = nullptr;
    TBevel* bvlSeparator = nullptr;
    TPanel* panMenu = nullptr;
    TComboBox* cbbReportNames = nullptr;
    TSpeedButton* sbtPreview = nullptr;
    TSpeedButton* sbtPrint = nullptr;
    TSpeedButton* sbtSalvarComo = nullptr;
    TSpeedButton* sbtReportEdit = nullptr;
    TMessages* msgPadrao = nullptr;
    TMessages* msgMensagens = nullptr;
    TReportDesignerDialog* rpddPadrao = nullptr;
    TPopupMenu* ppmEditReport = nullptr;
    TPopupMenu* ppmSalvarRelatorio = nullptr;
    TSaveDialog* svdSaveReport = nullptr;

    // Fills the report chooser with the definitions of this form's report code.
    void FormCreate(TObject* sender);
    void FormActivate(TObject* sender);
    // The closed instance is freed: the next opening creates a new one.
    void FormClose(TObject* sender, TCloseAction& action);
    void sbtPreviewClick(TObject* sender);
    void sbtPrintClick(TObject* sender);
    void sbtSalvarComoClick(TObject* sender);
    void sbtReportEditClick(TObject* sender);

    // The report definitions offered by the chooser, in its order.
    const std::vector<std::string>& ReportFiles() const { return reportFiles_; }

protected:
    void RegisterHandlers(HandlerTable& table) override;
    void LoadDefinitions() override;
    void BindMembers() override;

private:
    void FillReportNames();
    // The selected definition's file; raises a clear error when none is selected.
    std::string SelectedReportFile() const;

    std::vector<std::string> reportFiles_;
};

}  // namespace hostfw
