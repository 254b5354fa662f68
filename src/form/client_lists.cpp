#include "form/cli_exp03600.h"
#include "host/services/mens_erro.h"
#include "host/services/pesquisa_lista.h"
#include "host/services/text_rules.h"

namespace Cli_exp03600 {

// The radio buttons only enable the search button; a list picked earlier stays in force.
void TfrmRelConsLanc::rdbTCliClick(TObject* /*sender*/) {
    btnCli->SetEnabled(false);
}

void TfrmRelConsLanc::rdbLCliClick(TObject* /*sender*/) {
    btnCli->SetEnabled(true);
}

void TfrmRelConsLanc::rdbTFilClick(TObject* /*sender*/) {
    btnFilDest->SetEnabled(false);
}

void TfrmRelConsLanc::rdbLFilClick(TObject* /*sender*/) {
    btnFilDest->SetEnabled(true);
}

void TfrmRelConsLanc::btnCliClick(TObject* /*sender*/) {
    qryCliente->Close();
    qryCliente->Open();
    if (qryCliente->IsEmpty())
        MensErro(msgPadrao->Msg("CLIE"), true);
    const std::string title = msgPadrao->Msg("CLIENTE") + "|" + msgPadrao->Msg("CLIE_NULL");
    PesquisaLista(dtsCliente__, "CDCLIENTE", title, false, stListaCliente);
}

void TfrmRelConsLanc::btnFilDestClick(TObject* /*sender*/) {
    qryFilialDest->Close();
    qryFilialDest->Open();
    try {
        if (qryFilialDest->IsEmpty())
            MensErro(msgPadrao->Msg("Fili"), true);
    } catch (...) {
        qryFilialDest->Close();
        rdbLFil->SetFocus();
        throw;
    }
    PesquisaLista(dtsFilialDest__, "CDFILIAL", msgPadrao->Msg("FILIALDEST"), false, stFilialDest);
}

// Reads the form's own fields of the current row, so the picker asks row by row.
void TfrmRelConsLanc::qryClienteNRINSJURCLIEGetText(TField* /*sender*/, std::string& text,
                                                    bool /*displayText*/) {
    const std::string numero = qryClienteNRINSJURCLIE->AsString();
    const std::string mascara = PictPess(qryClienteIDTPIJURCLIE->AsString());
    text = FormatMaskText(mascara, numero);
}

}  // namespace Cli_exp03600
