#pragma once

#include <string>

#include "form/cli_exp03600_members.h"
#include "form/package_export.h"
#include "host/base_form/frm_dados_ger_rel.h"
#include "host/controls/btn_pesquisa.h"
#include "host/controls/date_edit_plus.h"
#include "host/data/client_dataset.h"
#include "host/data/data_source.h"
#include "host/data/field.h"
#include "host/data/query.h"
#include "host/net/net_connection.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"

// The unit of the "Consulta Lançamentos" parameter form: the form class and the state that
// lives as long as the module is loaded, not as long as a form.
namespace Cli_exp03600 {

using namespace hostfw;

class TfrmRelConsLanc;

extern PKG_EXPORT TfrmRelConsLanc* frmRelConsLanc;
extern PKG_EXPORT bool boIdCriado;
extern PKG_EXPORT std::string stRel;
extern PKG_EXPORT std::string stListaCliente;
extern PKG_EXPORT std::string stFilialDest;
extern PKG_EXPORT std::string stNota;
extern PKG_EXPORT std::string stStatusPedido;
extern PKG_EXPORT std::string stOrigem;

// Its members and handler table are generated from its stored definition.
class PKG_EXPORT TfrmRelConsLanc : public TfrmDadosGerRel, public TfrmRelConsLancMembers {
public:
    explicit TfrmRelConsLanc(TComponent* owner);
    ~TfrmRelConsLanc() override;
    std::string ClassName() const override { return "TfrmRelConsLanc"; }

    // Lifecycle and server connection
    void FormCreate(TObject* sender);
    void FormClose(TObject* sender, TCloseAction& action);
    void netConsLancBeforeConnect(TObject* sender);
    // Report variant and status filter
    void FormActivate(TObject* sender);
    void cbbReportNamesChange(TObject* sender);
    // Report query parameters
    void rpddPadraoBeforeGetQueryParams(TParams& params, bool& flag);
    // Branch field
    void FormShow(TObject* sender);
    void edtCdFilialKeyPress(TObject* sender, char& key);
    void edtCdFilialChange(TObject* sender);
    void edtCdFilialExit(TObject* sender);
    void Vd_Filial(bool mandatory);
    void btpFilialBeforePesq(TObject* sender, bool& flag);
    void btpFilialAfterPesq(TObject* sender);
    // Date range
    void ValidaDataZ(TDateEditPlus* edit);
    void Vd_Data(bool flag);
    void depInicialExit(TObject* sender);
    void depFinalExit(TObject* sender);
    // Validation gate and report commands
    void Validacoes();
    void sbtPreviewClick(TObject* sender);
    void sbtPrintClick(TObject* sender);
    void sbtSalvarComoClick(TObject* sender);
    void sbtReportEditClick(TObject* sender);
    // Client and destination-branch lists
    void rdbTCliClick(TObject* sender);
    void rdbLCliClick(TObject* sender);
    void rdbTFilClick(TObject* sender);
    void rdbLFilClick(TObject* sender);
    void btnCliClick(TObject* sender);
    void btnFilDestClick(TObject* sender);
    void qryClienteNRINSJURCLIEGetText(TField* sender, std::string& text, bool displayText);
    // Invoice list
    void rdbTNotaClick(TObject* sender);
    void rdbLNotaClick(TObject* sender);
    void btnNotaClick(TObject* sender);
    void cdsNotaFiscalSTATUSGetText(TField* sender, std::string& text, bool displayText);

protected:
    void RegisterHandlers(HandlerTable& table) override;
    void LoadDefinitions() override;
    void BindMembers() override;

private:
    // Applies report variant 0 or 1 of the chooser; any other index changes nothing.
    void ApplyReportVariant();
    // The letters of the checked status boxes in the fixed order P, E, A, C.
    std::string StatusSelectionString() const;
    // Reopens qryFilial for one code ("T" in the flag selects every branch).
    void OpenBranchQuery(const std::string& code, const std::string& allFlag);
};

}  // namespace Cli_exp03600
