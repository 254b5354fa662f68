#include "form/cli_exp03600.h"

namespace Cli_exp03600 {

void TfrmRelConsLanc::FormActivate(TObject* sender) {
    TfrmDadosGerRel::FormActivate(sender);
    Refresh();
    ApplyReportVariant();
}

void TfrmRelConsLanc::cbbReportNamesChange(TObject* /*sender*/) {
    ApplyReportVariant();
}

void TfrmRelConsLanc::ApplyReportVariant() {
    const int index = cbbReportNames->ItemIndex();
    if (index == 0) {
        ckbPend->SetChecked(true);
        ckbEmitida->SetChecked(true);
        ckbAprovada->SetChecked(true);
        ckbCancel->SetChecked(true);
        grbStatus->SetEnabled(true);
        ckbPend->SetEnabled(true);
        ckbEmitida->SetEnabled(true);
        ckbAprovada->SetEnabled(true);
        ckbCancel->SetEnabled(true);
        grbDataExp->SetCaption(msgPadrao->Msg("DtEmi"));
        stRel = "A";
    } else if (index == 1) {
        ckbPend->SetChecked(false);
        ckbEmitida->SetChecked(false);
        ckbAprovada->SetChecked(false);
        ckbCancel->SetChecked(false);
        grbStatus->SetEnabled(false);
        ckbPend->SetEnabled(false);
        ckbEmitida->SetEnabled(false);
        ckbAprovada->SetEnabled(false);
        ckbCancel->SetEnabled(false);
        grbDataExp->SetCaption(msgPadrao->Msg("DtCanc"));
        stRel = "C";
    }
}

std::string TfrmRelConsLanc::StatusSelectionString() const {
    std::string letters;
    if (ckbPend->Checked())
        letters += "P";
    if (ckbEmitida->Checked())
        letters += "E";
    if (ckbAprovada->Checked())
        letters += "A";
    if (ckbCancel->Checked())
        letters += "C";
    return letters;
}

}  // namespace Cli_exp03600
