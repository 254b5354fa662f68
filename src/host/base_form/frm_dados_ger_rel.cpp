#include "host/base_form/frm_dados_ger_rel.h"

#include "host/base_form/base_form_definition.h"
#include "host/components/component_by_name.h"
#include "host/report/report_catalog.h"

namespace hostfw {

TfrmDadosGerRel::TfrmDadosGerRel(TComponent* owner) : TForm(owner) {}

TfrmDadosGerRel::~TfrmDadosGerRel() = default;

void TfrmDadosGerRel::RegisterHandlers(HandlerTable& table) {
    TForm::RegisterHandlers(table);
    table.Register("FormCreate", TNotifyEvent([this](TObject* s) { FormCreate(s); }));
    table.Register("FormActivate", TNotifyEvent([this](TObject* s) { FormActivate(s); }));
    table.Register("FormClose",
                   TCloseEvent([this](TObject* s, TCloseAction& a) { FormClose(s, a); }));
    table.Register("sbtPreviewClick", TNotifyEvent([this](TObject* s) { sbtPreviewClick(s); }));
    table.Register("sbtPrintClick", TNotifyEvent([this](TObject* s) { sbtPrintClick(s); }));
    table.Register("sbtSalvarComoClick",
                   TNotifyEvent([this](TObject* s) { sbtSalvarComoClick(s); }));
    table.Register("sbtReportEditClick",
                   TNotifyEvent([this](TObject* s) { sbtReportEditClick(s); }));
}

void TfrmDadosGerRel::LoadDefinitions() {
    ApplyDefinition(FrmDadosGerRelDefinition(), "TfrmDadosGerRel.dfm");
}

void TfrmDadosGerRel::BindMembers() {
    lblCodTela = &ComponentByName<TLabel>(*this, "lblCodTela");
    lblCodRel = &ComponentByName<TLabel>(*this, "lblCodRel");
    grbDadosRel = &ComponentByName<TGroupBox>(*this, "grbDadosRel");
    panRelat = &ComponentByName<TPanel>(*this, "panRelat");
    bvlSeparator = &ComponentByName<TBevel>(*this, "bvlSeparator");
    panMenu = &ComponentByName<TPanel>(*this, "panMenu");
    cbbReportNames = &ComponentByName<TComboBox>(*this, "cbbReportNames");
    sbtPreview = &ComponentByName<TSpeedButton>(*this, "sbtPreview");
    sbtPrint = &ComponentByName<TSpeedButton>(*this, "sbtPrint");
    sbtSalvarComo = &ComponentByName<TSpeedButton>(*this, "sbtSalvarComo");
    sbtReportEdit = &ComponentByName<TSpeedButton>(*this, "sbtReportEdit");
    msgPadrao = &ComponentByName<TMessages>(*this, "msgPadrao");
    msgMensagens = &ComponentByName<TMessages>(*this, "msgMensagens");
    rpddPadrao = &ComponentByName<TReportDesignerDialog>(*this, "rpddPadrao");
    ppmEditReport = &ComponentByName<TPopupMenu>(*this, "ppmEditReport");
    ppmSalvarRelatorio = &ComponentByName<TPopupMenu>(*this, "ppmSalvarRelatorio");
    svdSaveReport = &ComponentByName<TSaveDialog>(*this, "svdSaveReport");
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

}  // namespace hostfw
