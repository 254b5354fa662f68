#include "form/cli_exp03600.h"
#include "form/form_definition.h"
#include "host/components/component_by_name.h"

namespace Cli_exp03600 {

TfrmRelConsLanc::TfrmRelConsLanc(TComponent* owner) : TfrmDadosGerRel(owner) {}

TfrmRelConsLanc::~TfrmRelConsLanc() = default;

void TfrmRelConsLanc::RegisterHandlers(HandlerTable& table) {
    TfrmDadosGerRel::RegisterHandlers(table);
    auto notify = [&](const char* name, void (TfrmRelConsLanc::*method)(TObject*)) {
        table.Register(name, TNotifyEvent([this, method](TObject* s) { (this->*method)(s); }));
    };
    auto getText = [&](const char* name,
                       void (TfrmRelConsLanc::*method)(TField*, std::string&, bool)) {
        table.Register(name, TFieldGetTextEvent([this, method](TField* f, std::string& t, bool d) {
                           (this->*method)(f, t, d);
                       }));
    };
    notify("FormCreate", &TfrmRelConsLanc::FormCreate);
    notify("FormActivate", &TfrmRelConsLanc::FormActivate);
    notify("FormShow", &TfrmRelConsLanc::FormShow);
    table.Register("FormClose",
                   TCloseEvent([this](TObject* s, TCloseAction& a) { FormClose(s, a); }));
    notify("netConsLancBeforeConnect", &TfrmRelConsLanc::netConsLancBeforeConnect);
    notify("cbbReportNamesChange", &TfrmRelConsLanc::cbbReportNamesChange);
    table.Register("rpddPadraoBeforeGetQueryParams", TQueryParamsEvent([this](TParams& p, bool& f) {
                       rpddPadraoBeforeGetQueryParams(p, f);
                   }));
    table.Register("edtCdFilialKeyPress",
                   TKeyPressEvent([this](TObject* s, char& key) { edtCdFilialKeyPress(s, key); }));
    notify("edtCdFilialChange", &TfrmRelConsLanc::edtCdFilialChange);
    notify("edtCdFilialExit", &TfrmRelConsLanc::edtCdFilialExit);
    table.Register("btpFilialBeforePesq", TBeforePesqEvent([this](TObject* s, bool& flag) {
                       btpFilialBeforePesq(s, flag);
                   }));
    notify("btpFilialAfterPesq", &TfrmRelConsLanc::btpFilialAfterPesq);
    notify("depInicialExit", &TfrmRelConsLanc::depInicialExit);
    notify("depFinalExit", &TfrmRelConsLanc::depFinalExit);
    notify("sbtPreviewClick", &TfrmRelConsLanc::sbtPreviewClick);
    notify("sbtPrintClick", &TfrmRelConsLanc::sbtPrintClick);
    notify("sbtSalvarComoClick", &TfrmRelConsLanc::sbtSalvarComoClick);
    notify("sbtReportEditClick", &TfrmRelConsLanc::sbtReportEditClick);
    notify("rdbTCliClick", &TfrmRelConsLanc::rdbTCliClick);
    notify("rdbLCliClick", &TfrmRelConsLanc::rdbLCliClick);
    notify("rdbTFilClick", &TfrmRelConsLanc::rdbTFilClick);
    notify("rdbLFilClick", &TfrmRelConsLanc::rdbLFilClick);
    notify("btnCliClick", &TfrmRelConsLanc::btnCliClick);
    notify("btnFilDestClick", &TfrmRelConsLanc::btnFilDestClick);
    getText("qryClienteNRINSJURCLIEGetText", &TfrmRelConsLanc::qryClienteNRINSJURCLIEGetText);
    notify("rdbTNotaClick", &TfrmRelConsLanc::rdbTNotaClick);
    notify("rdbLNotaClick", &TfrmRelConsLanc::rdbLNotaClick);
    notify("btnNotaClick", &TfrmRelConsLanc::btnNotaClick);
    getText("cdsNotaFiscalSTATUSGetText", &TfrmRelConsLanc::cdsNotaFiscalSTATUSGetText);
}

void TfrmRelConsLanc::LoadDefinitions() {
    TfrmDadosGerRel::LoadDefinitions();
    ApplyDefinition(FrmRelConsLancDefinition(), "Cli_exp03600.dfm");
}

namespace {

template <class T>
void BindMember(T*& member, const TComponent& owner, std::string_view name) {
    member = &ComponentByName<T>(owner, name);
}

}  // namespace

#define BIND(member) BindMember(member, *this, #member)

void TfrmRelConsLanc::BindMembers() {
    TfrmDadosGerRel::BindMembers();
    BIND(panFilial);
    BIND(lblFilial);
    BIND(edtCdFilial);
    BIND(btpFilial);
    BIND(edtNmFilial);
    BIND(grbDataExp);
    BIND(lblInicio);
    BIND(lblFinal);
    BIND(depInicial);
    BIND(depFinal);
    BIND(grbCliente);
    BIND(rdbTCli);
    BIND(rdbLCli);
    BIND(btnCli);
    BIND(grbFilialDest);
    BIND(rdbTFil);
    BIND(rdbLFil);
    BIND(btnFilDest);
    BIND(grbStatus);
    BIND(ckbPend);
    BIND(ckbAprovada);
    BIND(ckbEmitida);
    BIND(ckbCancel);
    BIND(grbNota);
    BIND(rdbTNota);
    BIND(rdbLNota);
    BIND(btnNota);
    BIND(netConsLanc);
    BIND(qryFilial);
    BIND(qryFilialCDFILIAL);
    BIND(qryFilialNMFILIAL);
    BIND(dtsFilial__);
    BIND(qryFilialDest);
    BIND(qryFilialDestCDFILIAL);
    BIND(qryFilialDestNMFILIAL);
    BIND(dtsFilialDest__);
    BIND(qryCliente);
    BIND(qryClienteCDCLIENTE);
    BIND(qryClienteIDTPIJURCLIE);
    BIND(qryClienteNRINSJURCLIE);
    BIND(qryClienteNMFANTCLIE);
    BIND(dtsCliente__);
    BIND(cdsNotaFiscal);
    BIND(cdsNotaFiscalIDMARCADO);
    BIND(cdsNotaFiscalNRNOTAFISC);
    BIND(cdsNotaFiscalDTEMISSAO);
    BIND(cdsNotaFiscalDTENTRSAID);
    BIND(cdsNotaFiscalNRLANCTONF);
    BIND(cdsNotaFiscalSTATUS);
    BIND(dtsNotaFiscal__);
}

#undef BIND

}  // namespace Cli_exp03600
