// Start-up wiring of the framework, run when the library is loaded: before any form can be
// created, the classes a stored definition names are registered, and the calls that
// connections make reach the application's UI, which the lower layers cannot name.
#include "host/net/server_call_observer.h"
#include "host/startup/standard_classes.h"
#include "host/ui/application.h"
#include "host/ui/host_ui.h"

namespace hostfw {
namespace {

void ConnectServerCallsToTheUi() {
    SetServerCallObserver([](const ServerCallRecord& call) {
        if (Application().HasUi())
            Application().Ui().ServerCalled(call);
    });
}

[[maybe_unused]] const bool started =
    (RegisterStandardClasses(), ConnectServerCallsToTheUi(), true);

}  // namespace
}  // namespace hostfw
