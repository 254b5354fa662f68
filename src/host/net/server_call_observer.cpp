#include "host/net/server_call_observer.h"

#include "host/core/observer_slot.h"

namespace hostfw {

void SetServerCallObserver(ServerCallObserver observer) {
    ObserverSlot<ServerCallRecord>::Install(std::move(observer));
}

void NotifyServerCall(const ServerCallRecord& call) {
    ObserverSlot<ServerCallRecord>::Notify(call);
}

}  // namespace hostfw
