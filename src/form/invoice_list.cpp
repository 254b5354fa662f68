#include "form/cli_exp03600.h"
#include "form/flag_list_pair.h"
#include "host/services/check_result_serv.h"
#include "host/services/mens_erro.h"
#include "host/services/pesquisa_lista.h"
#include "host/ui/application.h"
#include "server/get_nota.h"

namespace Cli_exp03600 {

void TfrmRelConsLanc::rdbTNotaClick(TObject* /*sender*/) {
    btnNota->SetEnabled(false);
}

void TfrmRelConsLanc::rdbLNotaClick(TObject* /*sender*/) {
    btnNota->SetEnabled(true);
}

void TfrmRelConsLanc::btnNotaClick(TObject* /*sender*/) {
    // 1-2: branch and dates
    Vd_Filial(true);
    Vd_Data(true);
    // 3-4: a "Lista" group needs a picked list
    if (stListaCliente.empty() && rdbLCli->Checked()) {
        rdbLCli->SetFocus();
        MensErro(msgPadrao->Msg("inf_cli"), true);
    }
    if (stFilialDest.empty() && rdbLFil->Checked()) {
        rdbLFil->SetFocus();
        MensErro(msgPadrao->Msg("inf_fil"), true);
    }
    // 5: the flag/list pairs
    FlagListPair clientes = MakeFlagListPair(rdbTCli->Checked(), stListaCliente);
    FlagListPair filiais = MakeFlagListPair(rdbTFil->Checked(), stFilialDest);
    // 6: statuses only for the issue-date report
    std::string status;
    if (stRel == "A") {
        if (!ckbPend->Checked() && !ckbAprovada->Checked() && !ckbEmitida->Checked() &&
            !ckbCancel->Checked()) {
            ckbPend->SetFocus();
            MensErro(msgPadrao->Msg("inf_status"), true);
        }
        status = StatusSelectionString();
    }
    // 7: ask the server
    try {
        ActiveShowAvi(Application().MainForm(), 6);
        const TDateTime dataFinal = depFinal->GetDate();
        const TDateTime dataInicial = depInicial->GetDate();
        const std::string cdFilial = edtCdFilial->Text();
        OleVariant reply =
            GetNota(frmRelConsLanc->netConsLanc->AppServer(), cdFilial, dataInicial, dataFinal,
                    clientes.list, clientes.flag, filiais.list, filiais.flag, status, stRel);
        cdsNotaFiscal->SetData(CheckResultServ(std::move(reply), true, 0));
        DeactiveShowAvi();
        if (cdsNotaFiscal->IsEmpty())
            MensErro(msgPadrao->Msg("NR_NOTA"), true);
    } catch (...) {
        DeactiveShowAvi();
        rdbLNota->SetFocus();
        throw;
    }
    // 8: the picker
    PesquisaLista(dtsNotaFiscal__, "NRLANCTONF", msgPadrao->Msg("NOTA"), false, stNota);
}

// Compares whole values, letter case significant; anything else shows an empty text.
void TfrmRelConsLanc::cdsNotaFiscalSTATUSGetText(TField* /*sender*/, std::string& text,
                                                 bool /*displayText*/) {
    const std::string status = cdsNotaFiscalSTATUS->AsString();
    for (const char* letter : {"A", "P", "E", "C", "K"}) {
        if (status == letter) {
            text = msgPadrao->Msg(letter);
            return;
        }
    }
}

}  // namespace Cli_exp03600
