#include "host/net/server_call_observer.h"

namespace hostfw {
namespace {

ServerCallObserver& observer() {
    static ServerCallObserver installed;
    return installed;
}

}  // namespace

void SetServerCallObserver(ServerCallObserver observer_) {
    observer() = std::move(observer_);
}

void NotifyServerCall(const ServerCallRecord& call) {
    if (observer())
        observer()(call);
}

}  // namespace hostfw
