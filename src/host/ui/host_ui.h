#pragma once

#include "host/ui/host_dialogs.h"
#include "host/ui/host_observer.h"
#include "host/ui/report_progress.h"
#include "hostfw_export.h"

namespace hostfw {

// A whole UI in one: a screen's, or a test's. The application hands its parts out apart, and
// each caller takes only the part it needs.
class HOSTFW_EXPORT HostUi : public HostDialogs, public HostObserver, public ReportProgress {};

}  // namespace hostfw
