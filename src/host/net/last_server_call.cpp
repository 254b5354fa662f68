#include "host/net/last_server_call.h"

namespace hostfw {
namespace {

std::optional<ServerCallRecord>& lastCall() {
    static std::optional<ServerCallRecord> call;
    return call;
}

}  // namespace

const std::optional<ServerCallRecord>& LastServerCall() {
    return lastCall();
}

void RecordServerCall(ServerCallRecord call) {
    lastCall() = std::move(call);
}

}  // namespace hostfw
