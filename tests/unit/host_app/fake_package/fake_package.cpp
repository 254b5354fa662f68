// A stand-in for the report package, just big enough to drive the host: a form with an
// edit, a date edit, a check box, a combo box, buttons that open each kind of dialog, a
// report run, a server call and a dataset, and the module-level variables under their exported
// names.
#include <algorithm>
#include <functional>
#include <string>
#include <type_traits>

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
#include "host/ui/host_ui.h"
#include "host/ui/std_controls.h"

#define FAKE_EXPORT __attribute__((visibility("default")))

namespace Cli_exp03600 {

class TfrmFake;

FAKE_EXPORT std::string stRel;
FAKE_EXPORT std::string stListaCliente;
FAKE_EXPORT std::string stNota;
FAKE_EXPORT bool boIdCriado = false;
FAKE_EXPORT TfrmFake* frmFake = nullptr;

using namespace hostfw;

template <class T>
T* add(TCustomForm* form, const char* name) {
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
        auto* code = add<TEdit>(this, "edtCodigo");
        code->SetMaxLength(4);
        code->SetCharCase(TEditCharCase::ecUpperCase);
        add<TDateEditPlus>(this, "depData")->SetSaveTime(false);
        add<TCheckBox>(this, "ckbAtivo")->SetChecked(true);
        auto* locked = add<TCheckBox>(this, "ckbTravado");
        locked->SetEnabled(false);
        auto* variant = add<TComboBox>(this, "cbbVariante");
        variant->SetItems({"Emissão", "Cancelamento"});
        variant->SetItemIndex(0);
        variant->OnChange = [variant](TObject*) { stRel = variant->ItemIndex() == 0 ? "A" : "C"; };
        button("btnLista", [] { PickList(); });
        button("btnBusca", [code] { SearchRow(code); });
        button("btnTitulo", [] {
            if (auto text = Application().Ui().PromptText("Título", "Informe o título:", ""))
                stNota = *text;
        });
        button("btnAviso", [] { MensErro("Aviso do módulo.", true); });
        button("btnFalha", [] { throw Exception("Falha inesperada."); });
        button("btnRelatorio", [] { RunReport(); });
        // What a connection announces before it sends a call.
        button("btnChamada", [] {
            NotifyServerCall(
                {"exp03600.rdmRelConsLanc", "GetNota", {"\"0001\"", "date(2026-01-01)"}});
        });
        auto* invoices = add<TClientDataSet>(this, "cdsNotaFiscal");
        button("btnNotas", [invoices] {
            invoices->SetData({{{"NRLANCTONF", "string", 10, false}}, {{"1"}, {"2"}, {"3"}}});
        });
        OnClose = [](TObject*, TCloseAction& action) {
            action = TCloseAction::caFree;
            boIdCriado = false;
        };
    }

private:
    void button(const char* name, std::function<void()> click) {
        add<TSpeedButton>(this, name)->OnClick = [click](TObject*) { click(); };
    }

    static void PickList() {
        ListPickRequest request;
        request.title = "Cliente";
        request.keys = {"0001", "0002", "0003"};
        const std::vector<std::string> current = SelectionListKeys(stListaCliente);
        for (const std::string& key : request.keys)
            request.marked.push_back(std::find(current.begin(), current.end(), key) !=
                                     current.end());
        if (auto rows = Application().Ui().PickList(request)) {
            std::vector<std::string> keys;
            for (size_t row : *rows)
                keys.push_back(request.keys[row]);
            stListaCliente = MakeSelectionList(keys);
        }
    }

    static void SearchRow(TEdit* code) {
        RowSearchRequest request;
        request.title = "Filial";
        request.keys = {"0001", "0002"};
        if (auto row = Application().Ui().SearchRow(request))
            code->SetText(request.keys[*row]);
    }

    static void RunReport() {
        TParams params;
        params.CreateParam("P_TEXTO").SetAsString("a\"b");
        params.CreateParam("P_DATA").SetAsDateTime(EncodeDate(2026, 1, 31));
        params.CreateParam("P_NULO");
        Application().Ui().ReportQueryBound(params);
        Application().Ui().ShowPreview("Relatório de teste", "linha 1\nlinha 2\n");
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
