#pragma once

#include "host/core/observer_slot.h"
#include "host/data/data_context.h"
#include "host/net/pending_call.h"
#include "host/net/server_call_observer.h"
#include "host/net/server_credentials.h"
#include "hostfw_export.h"

namespace hostfw {

// The server link's part of a program's context: who hears of every call a connection makes
// before it is sent, how the program waits for a call (CallWaiter), and whom its connections
// sign in to the application server as.
class HOSTFW_EXPORT NetContext : public DataContext {
public:
    ObserverSlot<ServerCallRecord>& ServerCalls() { return serverCalls_; }
    const CallWaiter& CallWaiting() const { return callWaiter_; }
    void SetCallWaiter(CallWaiter waiter) { callWaiter_ = std::move(waiter); }
    const ServerCredentialsSource& ServerCredentials() const { return serverCredentials_; }
    void SetServerCredentials(ServerCredentialsSource source) {
        serverCredentials_ = std::move(source);
    }

private:
    ObserverSlot<ServerCallRecord> serverCalls_;
    CallWaiter callWaiter_;
    ServerCredentialsSource serverCredentials_;
};

}  // namespace hostfw
