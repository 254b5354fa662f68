#pragma once

#include "host/ui/host_ui.h"
#include "module/module_host.h"

namespace host {

// After a report run that reached the user: the live form's choices become the person's last
// query. A failure to keep it is a warning shown through `ui`; the run itself went through.
void KeepDeliveredRunAsLastQuery(const ModuleHost& module, hostfw::HostUi& ui);

}  // namespace host
