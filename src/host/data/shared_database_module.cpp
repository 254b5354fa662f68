#include "host/data/shared_database_module.h"

namespace hostfw {

TDataModule& SharedDatabaseModule() {
    static TDataModule* module = [] {
        auto* m = new TDataModule(nullptr);  // lives as long as the process
        m->SetName("dtmDBGeral");
        for (const char* name : {"adcGeral", "dtbGeral", "ibtGeral"}) {
            (new TDatabaseLink(m))->SetName(name);
        }
        return m;
    }();
    return *module;
}

}  // namespace hostfw
