#pragma once

#include <chrono>

#include "hostfw_export.h"

namespace hostfw {

// Bounds of every exchange with the application server: how long to wait for the connection
// and for each reply. The read bound also applies to sending the request.
struct NetTimeouts {
    std::chrono::milliseconds connect{3000};
    std::chrono::milliseconds read{30000};
    friend bool operator==(const NetTimeouts&, const NetTimeouts&) = default;
};

// Longest bound accepted for either wait: a user must never wait on a server without end.
inline constexpr std::chrono::milliseconds kMaxNetTimeout{10 * 60 * 1000};

// Raises a clear Exception unless both bounds lie between 1 ms and kMaxNetTimeout.
HOSTFW_EXPORT void CheckNetTimeouts(const NetTimeouts& timeouts);

}  // namespace hostfw
