#include "form/cli_exp03600.h"
#include "form/form_definition.h"

namespace Cli_exp03600 {

TfrmRelConsLanc::TfrmRelConsLanc(TComponent* owner) : TfrmDadosGerRel(owner) {}

TfrmRelConsLanc::~TfrmRelConsLanc() = default;

void TfrmRelConsLanc::LoadDefinitions() {
    TfrmDadosGerRel::LoadDefinitions();
    ApplyDefinition(FrmRelConsLancDefinition(), "Cli_exp03600.dfm");
}

}  // namespace Cli_exp03600
