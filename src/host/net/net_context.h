#pragma once

#include "host/core/observer_slot.h"
#include "host/data/data_context.h"
#include "host/net/pending_call.h"
#include "host/net/server_call_observer.h"
#include "hostfw_export.h"

namespace hostfw {

// The server link's part of a program's context: who hears of every call a connection makes
// before it is sent, and how the program waits for a call (CallWaiter).
class HOSTFW_EXPORT NetContext : public DataContext {
public:
    ObserverSlot<ServerCallRecord>& ServerCalls() { return serverCalls_; }
    const CallWaiter& CallWaiting() const { return callWaiter_; }
    void SetCallWaiter(CallWaiter waiter) { callWaiter_ = std::move(waiter); }

private:
    ObserverSlot<ServerCallRecord> serverCalls_;
    CallWaiter callWaiter_;
};

}  // namespace hostfw
