#include "host/base_form/frm_dados_ger_rel.h"

#include "host/base_form/base_form_definition.h"
#include "host/report/report_catalog.h"

namespace hostfw {

TfrmDadosGerRel::TfrmDadosGerRel(TComponent* owner) : TForm(owner) {}

TfrmDadosGerRel::~TfrmDadosGerRel() = default;

void TfrmDadosGerRel::LoadDefinitions() {
    ApplyDefinition(FrmDadosGerRelDefinition(), "TfrmDadosGerRel.dfm");
}

void TfrmDadosGerRel::FormCreate(TObject* /*sender*/) {
    FillReportNames();
}

void TfrmDadosGerRel::FormActivate(TObject* /*sender*/) {
    // Nothing of the base form depends on activation; descendants add their own work.
}

void TfrmDadosGerRel::FormClose(TObject* /*sender*/, TCloseAction& action) {
    action = TCloseAction::caFree;
}

std::string TfrmDadosGerRel::ReportCode() const {
    return lblCodRel->Caption();
}

TControl& TfrmDadosGerRel::PreviewCommand() const {
    return *sbtPreview;
}

TControl& TfrmDadosGerRel::PrintCommand() const {
    return *sbtPrint;
}

}  // namespace hostfw
