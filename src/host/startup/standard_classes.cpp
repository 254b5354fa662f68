#include "host/startup/standard_classes.h"

#include <mutex>

#include "host/base_form/report_designer_dialog.h"
#include "host/components/component_classes.h"
#include "host/controls/btn_pesquisa.h"
#include "host/controls/date_edit_plus.h"
#include "host/data/client_dataset.h"
#include "host/data/data_source.h"
#include "host/data/field.h"
#include "host/data/query.h"
#include "host/data/shared_database_module.h"
#include "host/net/net_connection.h"
#include "host/services/messages.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"

namespace hostfw {
namespace {

template <class T>
void RegisterClass(const char* name) {
    RegisterComponentClass(name, [](TComponent* owner) -> TComponent* { return new T(owner); });
}

}  // namespace

void RegisterStandardClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        RegisterClass<TLabel>("TLabel");
        RegisterClass<TBevel>("TBevel");
        RegisterClass<TGroupBox>("TGroupBox");
        RegisterClass<TPanel>("TPanel");
        RegisterClass<TCheckBox>("TCheckBox");
        RegisterClass<TRadioButton>("TRadioButton");
        RegisterClass<TComboBox>("TComboBox");
        RegisterClass<TSpeedButton>("TSpeedButton");
        RegisterClass<TEdit>("TEdit");
        RegisterClass<TMessages>("TMessages");
        RegisterClass<TReportDesignerDialog>("TReportDesignerDialog");
        RegisterClass<TPopupMenu>("TPopupMenu");
        RegisterClass<TMenuItem>("TMenuItem");
        RegisterClass<TSaveDialog>("TSaveDialog");
        RegisterClass<TDateEditPlus>("TDateEditPlus");
        RegisterClass<TBtnPesquisa>("TBtnPesquisa");
        RegisterClass<TStringField>("TStringField");
        RegisterClass<TADOIBQuery>("TADOIBQuery");
        RegisterClass<TClientDataSet>("TClientDataSet");
        RegisterClass<TDataSource>("TDataSource");
        RegisterClass<TNetConnection>("TNetConnection");
        RegisterGlobalComponent(&SharedDatabaseModule());
    });
}

}  // namespace hostfw
