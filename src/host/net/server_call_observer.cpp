#include "host/net/server_call_observer.h"

namespace hostfw {
namespace {

ServerCallObserver& Observer() {
    static ServerCallObserver installed;
    return installed;
}

}  // namespace

void SetServerCallObserver(ServerCallObserver observer) {
    Observer() = std::move(observer);
}

void NotifyServerCall(const ServerCallRecord& call) {
    if (Observer())
        Observer()(call);
}

}  // namespace hostfw
