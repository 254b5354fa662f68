#include "host/ui/host_context.h"

#include "host/net/pending_call.h"
#include "host/ui/host_dialogs.h"
#include "host/ui/host_observer.h"

namespace hostfw {

HostContext::HostContext() : screen_(*this), application_(*this) {
    ServerCalls().Install([this](const ServerCallRecord& call) {
        if (application_.HasUi())
            application_.Observer().ServerCalled(call);
    });
    // A call waits through the UI, which keeps its windows alive and lets the person give it
    // up; a call given up is told once, as a notice, and is no error.
    SetCallWaiter([this](PendingCall& call) {
        if (!application_.HasUi())
            return call.Wait();
        application_.Dialogs().AwaitCall(call);
        call.Wait();
        if (call.Cancelled())
            application_.Observer().Notify({"cancelled: " + call.Method(), "Consulta cancelada."});
    });
}

HostContext::~HostContext() = default;

HostContext& HostContextOf(const TComponent& component) {
    return ContextOf<HostContext>(component);
}

}  // namespace hostfw
