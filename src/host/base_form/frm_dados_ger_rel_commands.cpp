// Placeholder: replaced by the report commands of the base form.
#include "host/base_form/frm_dados_ger_rel.h"
#include "host/core/exception.h"

namespace hostfw {

void TfrmDadosGerRel::FillReportNames() {}
std::string TfrmDadosGerRel::SelectedReportFile() const { throw Exception("Comando ainda não disponível."); }
void TfrmDadosGerRel::sbtPreviewClick(TObject*) { throw Exception("Comando ainda não disponível."); }
void TfrmDadosGerRel::sbtPrintClick(TObject*) { throw Exception("Comando ainda não disponível."); }
void TfrmDadosGerRel::sbtSalvarComoClick(TObject*) { throw Exception("Comando ainda não disponível."); }
void TfrmDadosGerRel::sbtReportEditClick(TObject*) { throw Exception("Comando ainda não disponível."); }

}  // namespace hostfw
