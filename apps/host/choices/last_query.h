#pragma once

#include "host/ui/host_context.h"
#include "host/ui/host_dialogs.h"

namespace host {

// After a report run that reached the user: the context's live form's choices become the
// person's last query. A failure to keep it is a warning shown through `dialogs`; the run itself
// went through.
void KeepDeliveredRunAsLastQuery(hostfw::HostContext& context, hostfw::HostDialogs& dialogs);

}  // namespace host
