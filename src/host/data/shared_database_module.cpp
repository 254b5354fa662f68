#include "host/data/shared_database_module.h"

#include "host/definition/component_classes.h"

namespace hostfw {

TDataModule& SharedDatabaseModule() {
    static TDataModule* module = [] {
        auto* m = new TDataModule(nullptr);  // lives as long as the process
        m->SetName("dtmDBGeral");
        for (const char* name : {"adcGeral", "dtbGeral", "ibtGeral"}) {
            (new TDatabaseLink(m))->SetName(name);
        }
        RegisterGlobalComponent(m);
        return m;
    }();
    return *module;
}

}  // namespace hostfw
