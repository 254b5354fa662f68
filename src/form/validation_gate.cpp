#include "form/cli_exp03600.h"
#include "host/services/mens_erro.h"
#include "host/services/text_rules.h"

namespace Cli_exp03600 {

void TfrmRelConsLanc::Validacoes() {
    // To refuse: focus the control, then report the key; the abort ends the command.
    auto refuse = [this](TWinControl* control, const char* key) {
        control->SetFocus();
        MensErro(msgPadrao->Msg(key), true);
    };
    ValidaDataZ(depInicial);
    ValidaDataZ(depFinal);
    Vd_Filial(true);
    if (EmptyString(depInicial->Text()))
        refuse(depInicial, "DataIni_Deve");
    if (EmptyString(depFinal->Text()))
        refuse(depFinal, "DataFinal_Deve");
    if (!depFinal->Text().empty() && !depInicial->Text().empty() &&
        depFinal->GetDate() < depInicial->GetDate())
        refuse(depInicial, "DataIni>DataFin");
    if (stListaCliente.empty() && rdbLCli->Checked())
        refuse(rdbLCli, "inf_cli");
    if (stFilialDest.empty() && rdbLFil->Checked())
        refuse(rdbLFil, "inf_fil");
    if (stNota.empty() && rdbLNota->Checked())
        refuse(rdbLNota, "inf_nota");
    if (cbbReportNames->ItemIndex() == 0 && !ckbPend->Checked() && !ckbAprovada->Checked() &&
        !ckbEmitida->Checked() && !ckbCancel->Checked())
        refuse(ckbPend, "inf_status");
}

void TfrmRelConsLanc::sbtPreviewClick(TObject* sender) {
    Validacoes();
    Vd_Data(true);
    TfrmDadosGerRel::sbtPreviewClick(sender);
}

void TfrmRelConsLanc::sbtPrintClick(TObject* sender) {
    Validacoes();
    Vd_Data(true);
    TfrmDadosGerRel::sbtPrintClick(sender);
}

void TfrmRelConsLanc::sbtSalvarComoClick(TObject* sender) {
    Validacoes();
    Vd_Data(true);
    TfrmDadosGerRel::sbtSalvarComoClick(sender);
}

void TfrmRelConsLanc::sbtReportEditClick(TObject* sender) {
    Validacoes();
    Vd_Data(true);
    TfrmDadosGerRel::sbtReportEditClick(sender);
}

}  // namespace Cli_exp03600
