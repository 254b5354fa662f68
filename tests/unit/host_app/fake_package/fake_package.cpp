// A stand-in for the report package, just big enough to drive the host: a form with an
// edit, a date edit, a check box, a combo box, buttons that open each kind of dialog, a
// report run, a server call and a dataset, and the module-level variables published by name
// (not exported: the host looks up nothing but IniProc).
#include <algorithm>
#include <functional>
#include <string>
#include <type_traits>

#include "host/components/published_variables.h"
#include "host/controls/date_edit_plus.h"
#include "host/core/date_time.h"
#include "host/core/exception.h"
#include "host/core/variant.h"
#include "host/data/client_dataset.h"
#include "host/data/params.h"
#include "host/net/server_call_observer.h"
#include "host/services/mens_erro.h"
#include "host/services/pesquisa_lista.h"
#include "host/ui/application.h"
#include "host/ui/edit.h"
#include "host/ui/host_context.h"
#include "host/ui/host_dialogs.h"
#include "host/ui/host_observer.h"
#include "host/ui/package_entry.h"
#include "host/ui/std_controls.h"

#define FAKE_EXPORT __attribute__((visibility("default")))

namespace Cli_exp03600 {

class TfrmFake;

std::string stRel;
std::string stListaCliente;
std::string stNota;
bool boIdCriado = false;
TfrmFake* frmFake = nullptr;

__attribute__((constructor)) void PublishVariables() {
    hostfw::PublishUnitVariables("Cli_exp03600", {{"stRel", &stRel},
                                                  {"stListaCliente", &stListaCliente},
                                                  {"stNota", &stNota},
                                                  {"boIdCriado", &boIdCriado}});
}
__attribute__((destructor)) void WithdrawVariables() {
    hostfw::WithdrawUnitVariables("Cli_exp03600");
}

using namespace hostfw;

template <class T>
T* Add(TCustomForm* form, const char* name) {
    T* control = new T(form);
    control->SetName(name);
    if constexpr (std::is_base_of_v<TControl, T>)
        control->SetParent(form);
    return control;
}

class TfrmFake : public TForm {
public:
    using TForm::TForm;
    std::string ClassName() const override { return "TfrmFake"; }

protected:
    void BindMembers() override {
        SetName("frmFake");
        SetCaption("Formulário de teste");
        auto* code = Add<TEdit>(this, "edtCodigo");
        code->SetMaxLength(4);
        code->SetCharCase(TEditCharCase::ecUpperCase);
        Add<TDateEditPlus>(this, "depData")->SetSaveTime(false);
        Add<TCheckBox>(this, "ckbAtivo")->SetChecked(true);
        auto* locked = Add<TCheckBox>(this, "ckbTravado");
        locked->SetEnabled(false);
        auto* variant = Add<TComboBox>(this, "cbbVariante");
        variant->SetItems({"Emissão", "Cancelamento"});
        variant->SetItemIndex(0);
        variant->OnChange = [variant](TObject*) { stRel = variant->ItemIndex() == 0 ? "A" : "C"; };
        Button("btnLista", [this] { PickList(); });
        Button("btnBusca", [this, code] { SearchRow(code); });
        Button("btnTitulo", [this] {
            if (auto text = Application().Dialogs().PromptText("Título", "Informe o título:", ""))
                stNota = *text;
        });
        Button("btnAviso", [this] { MensErro(*this, "Aviso do módulo.", true); });
        Button("btnFalha", [] { throw Exception("Falha inesperada."); });
        Button("btnRelatorio", [this] { RunReport(); });
        // What a connection announces before it sends a call.
        Button("btnChamada", [this] {
            Context().ServerCalls().Notify(
                {"exp03600.rdmRelConsLanc", "GetNota", {"\"0001\"", "date(2026-01-01)"}});
        });
        auto* invoices = Add<TClientDataSet>(this, "cdsNotaFiscal");
        Button("btnNotas", [invoices] {
            invoices->SetData({{{"NRLANCTONF", "string", 10, false}}, {{"1"}, {"2"}, {"3"}}});
        });
        OnClose = [](TObject*, TCloseAction& action) {
            action = TCloseAction::caFree;
            boIdCriado = false;
        };
    }

private:
    void Button(const char* name, std::function<void()> click) {
        Add<TSpeedButton>(this, name)->OnClick = [click](TObject*) { click(); };
    }

    // Keys only, one column.
    class KeyRows : public RowSource {
    public:
        explicit KeyRows(std::vector<std::string> keys) : keys_(std::move(keys)) {}
        const std::vector<GridColumn>& Columns() const override { return columns_; }
        size_t RowCount() const override { return keys_.size(); }
        std::string Cell(size_t row, size_t) const override { return keys_[row]; }
        std::string Key(size_t row) const override { return keys_[row]; }

    private:
        std::vector<std::string> keys_;
        std::vector<GridColumn> columns_{{"Código", 0}};
    };

    void PickList() {
        const KeyRows rows({"0001", "0002", "0003"});
        ListPickRequest request{"Cliente", "", &rows, {}};
        const std::vector<std::string> current = SelectionListKeys(stListaCliente);
        for (size_t row = 0; row < rows.RowCount(); ++row)
            request.marked.push_back(std::find(current.begin(), current.end(), rows.Key(row)) !=
                                     current.end());
        if (auto chosen = Application().Dialogs().PickList(request)) {
            std::vector<std::string> keys;
            for (size_t row : *chosen)
                keys.push_back(rows.Key(row));
            stListaCliente = MakeSelectionList(keys);
        }
    }

    void SearchRow(TEdit* code) {
        const KeyRows rows({"0001", "0002"});
        if (auto row = Application().Dialogs().SearchRow({"Filial", &rows}))
            code->SetText(rows.Key(*row));
    }

    void RunReport() {
        TParams params;
        params.CreateParam("P_TEXTO").SetAsString("a\"b");
        params.CreateParam("P_DATA").SetAsDateTime(EncodeDate(2026, 1, 31));
        params.CreateParam("P_NULO");
        Application().Observer().ReportQueryBound(params);
        Application().Dialogs().ShowPreview(
            std::make_shared<TextPreview>("Relatório de teste", "linha 1\nlinha 2\n"));
    }
};

}  // namespace Cli_exp03600

// Null opens an embedded child window, anything else a modal one.
extern "C" FAKE_EXPORT void IniProc(const hostfw::Variant& parameter) {
    using namespace hostfw;
    using Cli_exp03600::frmFake;
    if (!Cli_exp03600::boIdCriado) {
        Application().CreateForm(frmFake);
        Cli_exp03600::boIdCriado = true;
        frmFake->SetFormStyle(parameter.IsNull() ? TFormStyle::fsMDIChild : TFormStyle::fsNormal);
    }
    if (frmFake->FormStyle() == TFormStyle::fsMDIChild) {
        frmFake->Show();
    } else {
        frmFake->ShowModal();
    }
}
