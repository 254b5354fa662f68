#pragma once

#include <functional>
#include <string>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

// A late-bound call as it was sent. Each argument is written as a script writes a value
// (CallArgumentText): "text", date(YYYY-MM-DD), an integer, true/false, null.
struct ServerCallRecord {
    std::string object;
    std::string method;
    std::vector<std::string> arguments;
};

// Who hears of every call a connection makes, before it is sent; start-up hands the calls to
// the host's UI. An empty observer hears nothing.
using ServerCallObserver = std::function<void(const ServerCallRecord&)>;

HOSTFW_EXPORT void SetServerCallObserver(ServerCallObserver observer);
HOSTFW_EXPORT void NotifyServerCall(const ServerCallRecord& call);

}  // namespace hostfw
