#include "form/branch_key_filter.h"
#include "form/cli_exp03600.h"
#include "host/services/mens_erro.h"
#include "host/services/text_rules.h"
#include "host/session/session.h"

namespace Cli_exp03600 {

void TfrmRelConsLanc::FormShow(TObject* /*sender*/) {
    lblFilial->SetEnabled(!ModuFili());
    edtCdFilial->SetEnabled(!ModuFili());
    btpFilial->SetEnabled(!ModuFili());
    edtCdFilial->SetText(FiliProc());
    if (!ModuFili()) {
        // The session's code as it comes, unadjusted; not found gives an empty name, silently.
        OpenBranchQuery(edtCdFilial->Text(), "");
        edtNmFilial->SetText(qryFilialNMFILIAL->AsString());
    }
    if (edtCdFilial->Enabled())
        edtCdFilial->SetFocus();
    else
        edtCdFilialExit(edtCdFilial);
}

void TfrmRelConsLanc::edtCdFilialKeyPress(TObject* /*sender*/, char& key) {
    if (IsBranchCodeKey(static_cast<unsigned char>(key)))
        return;
    key = 0;
}

void TfrmRelConsLanc::edtCdFilialChange(TObject* /*sender*/) {
    edtNmFilial->SetText("");
}

void TfrmRelConsLanc::edtCdFilialExit(TObject* /*sender*/) {
    Vd_Filial(false);
}

void TfrmRelConsLanc::Vd_Filial(bool mandatory) {
    const bool empty = EmptyString(edtCdFilial->Text());
    try {
        if (empty) {
            if (mandatory)
                MensErro(msgPadrao->Msg("FILIAL_NULL"), true);
            return;
        }
        edtCdFilial->SetText(Ajusta(edtCdFilial->Text(), 4));
        OpenBranchQuery(edtCdFilial->Text(), "");
        if (qryFilial->IsEmpty())
            MensErro(msgPadrao->Msg("FILIAL_NAO_CAD"), true);
        edtNmFilial->SetText(qryFilialNMFILIAL->AsString());
    } catch (...) {
        // The message has been seen; then the focus goes back, unless the field is locked.
        if (!ModuFili())
            edtCdFilial->SetFocus();
        throw;
    }
}

void TfrmRelConsLanc::btpFilialBeforePesq(TObject* /*sender*/, bool& /*flag*/) {
    OpenBranchQuery("", "T");
}

void TfrmRelConsLanc::btpFilialAfterPesq(TObject* /*sender*/) {
    // The code first: its change event empties the name, which is written last.
    edtCdFilial->SetText(qryFilialCDFILIAL->AsString());
    edtNmFilial->SetText(qryFilialNMFILIAL->AsString());
}

void TfrmRelConsLanc::OpenBranchQuery(const std::string& code, const std::string& allFlag) {
    qryFilial->Close();
    qryFilial->ParamByName("P_CDFILIAL").SetAsString(code);
    qryFilial->ParamByName("P_TCDFILIAL").SetAsString(allFlag);
    qryFilial->Open();
}

}  // namespace Cli_exp03600
