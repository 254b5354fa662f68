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
void registerClass(const char* name) {
    RegisterComponentClass(name, [](TComponent* owner) -> TComponent* { return new T(owner); });
}

}  // namespace

void RegisterStandardClasses() {
    static std::once_flag once;
    std::call_once(once, [] {
        registerClass<TLabel>("TLabel");
        registerClass<TBevel>("TBevel");
        registerClass<TGroupBox>("TGroupBox");
        registerClass<TPanel>("TPanel");
        registerClass<TCheckBox>("TCheckBox");
        registerClass<TRadioButton>("TRadioButton");
        registerClass<TComboBox>("TComboBox");
        registerClass<TSpeedButton>("TSpeedButton");
        registerClass<TEdit>("TEdit");
        registerClass<TMessages>("TMessages");
        registerClass<TReportDesignerDialog>("TReportDesignerDialog");
        registerClass<TPopupMenu>("TPopupMenu");
        registerClass<TMenuItem>("TMenuItem");
        registerClass<TSaveDialog>("TSaveDialog");
        registerClass<TDateEditPlus>("TDateEditPlus");
        registerClass<TBtnPesquisa>("TBtnPesquisa");
        registerClass<TStringField>("TStringField");
        registerClass<TADOIBQuery>("TADOIBQuery");
        registerClass<TClientDataSet>("TClientDataSet");
        registerClass<TDataSource>("TDataSource");
        registerClass<TNetConnection>("TNetConnection");
        RegisterGlobalComponent(&SharedDatabaseModule());
    });
}

}  // namespace hostfw
