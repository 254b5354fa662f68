#include "form/cli_exp03600.h"
#include "form/flag_list_pair.h"
#include "host/report/exist_param.h"

namespace Cli_exp03600 {

// Fills the parameters the report query declares; the boolean belongs to the report engine.
void TfrmRelConsLanc::rpddPadraoBeforeGetQueryParams(TParams& params, bool& /*flag*/) {
    if (ExistParam(params, "P_CDFILIAL"))
        params.ParamByName("P_CDFILIAL").SetAsVariant(edtCdFilial->Text());

    const FlagListPair clientes = MakeFlagListPair(rdbTCli->Checked(), stListaCliente);
    if (ExistParam(params, "P_TCDCLIENTE"))
        params.ParamByName("P_TCDCLIENTE").SetAsVariant(clientes.flag);
    if (ExistParam(params, "P_CDCLIENTE"))
        params.ParamByName("P_CDCLIENTE").SetAsVariant(clientes.list);

    if (ExistParam(params, "P_DATAINI"))
        params.ParamByName("P_DATAINI").SetAsVariant(depInicial->GetDate());
    if (ExistParam(params, "P_DATAFIM"))
        params.ParamByName("P_DATAFIM").SetAsVariant(depFinal->GetDate());

    const FlagListPair filiais = MakeFlagListPair(rdbTFil->Checked(), stFilialDest);
    if (ExistParam(params, "P_TFILIDEST"))
        params.ParamByName("P_TFILIDEST").SetAsVariant(filiais.flag);
    if (ExistParam(params, "P_FILIDEST"))
        params.ParamByName("P_FILIDEST").SetAsVariant(filiais.list);

    const FlagListPair notas = MakeFlagListPair(rdbTNota->Checked(), stNota);
    if (ExistParam(params, "P_TNOTA"))
        params.ParamByName("P_TNOTA").SetAsVariant(notas.flag);
    if (ExistParam(params, "P_NOTA"))
        params.ParamByName("P_NOTA").SetAsVariant(notas.list);

    if (!ExistParam(params, "P_STATUS"))
        return;
    stStatusPedido = StatusSelectionString();
    params.ParamByName("P_STATUS").SetText(stStatusPedido);
}

}  // namespace Cli_exp03600
