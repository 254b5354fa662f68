// Start-up wiring of the framework, run when the library is loaded: before any form can be
// created, the classes a stored definition names are registered, and the calls that
// connections make reach the application's UI, which the lower layers cannot name.
#include "host/net/pending_call.h"
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

// A call waits through the UI, which keeps its windows alive and lets the person give it up;
// a call given up is told once, as a notice, and is no error.
void WaitForCallsThroughTheUi() {
    SetCallWaiter([](PendingCall& call) {
        if (!Application().HasUi())
            return call.Wait();
        HostUi& ui = Application().Ui();
        ui.AwaitCall(call);
        call.Wait();
        if (call.Cancelled())
            ui.Notify({"cancelled: " + call.Method(), "Consulta cancelada."});
    });
}

[[maybe_unused]] const bool started =
    (RegisterStandardClasses(), ConnectServerCallsToTheUi(), WaitForCallsThroughTheUi(), true);

}  // namespace
}  // namespace hostfw
