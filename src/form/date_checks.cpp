#include "form/cli_exp03600.h"
#include "host/core/date_time.h"
#include "host/services/mens_erro.h"
#include "host/services/text_rules.h"

namespace Cli_exp03600 {

void TfrmRelConsLanc::ValidaDataZ(TDateEditPlus* edit) {
    edit->CheckValidDate();
    if (EmptyString(edit->Text()))
        return;
    if (edit->GetDate().value > 0)
        return;
    edit->SetFocus();
    // The date the edit holds, written back in the short date format, not the typed text.
    MensErro("\"" + DateToStr(edit->GetDate()) + "\"" + msgPadrao->Msg("data"), true);
}

void TfrmRelConsLanc::Vd_Data(bool /*flag*/) {
    depInicial->CheckValidDate();
    ValidaDataZ(depInicial);
    depFinal->CheckValidDate();
    ValidaDataZ(depFinal);
    // Plain emptiness here, not EmptyString.
    if (depInicial->Text().empty())
        return;
    if (depFinal->Text().empty())
        return;
    const TDateTime dataInicial = depInicial->GetDate();
    const TDateTime dataFinal = depFinal->GetDate();
    if (dataFinal < dataInicial) {
        depInicial->SetFocus();
        MensErro(msgPadrao->Msg("DataIni>DataFin"), true);
    }
}

void TfrmRelConsLanc::depInicialExit(TObject* /*sender*/) {
    depInicial->CheckValidDate();
    ValidaDataZ(depInicial);
}

void TfrmRelConsLanc::depFinalExit(TObject* /*sender*/) {
    depFinal->CheckValidDate();
    ValidaDataZ(depFinal);
}

}  // namespace Cli_exp03600
