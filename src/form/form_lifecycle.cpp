#include "form/cli_exp03600.h"
#include "host/core/date_time.h"
#include "host/session/session.h"

namespace Cli_exp03600 {

void TfrmRelConsLanc::FormCreate(TObject* sender) {
    TfrmDadosGerRel::FormCreate(sender);
    netConsLanc->SetConnected(true);
    // Each date reads the clock on its own.
    depInicial->SetDate(Now());
    depFinal->SetDate(Now());
}

void TfrmRelConsLanc::FormClose(TObject* sender, TCloseAction& action) {
    TfrmDadosGerRel::FormClose(sender, action);
    boIdCriado = false;
    netConsLanc->SetConnected(false);
}

// Runs on every connect, so each connect uses the session's current address.
void TfrmRelConsLanc::netConsLancBeforeConnect(TObject* /*sender*/) {
    netConsLanc->SetHost(WebURL());
    netConsLanc->SetPort(WebPort());
}

}  // namespace Cli_exp03600
