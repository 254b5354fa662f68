#pragma once

#include <chrono>

namespace hostfw {

// Bounds of every exchange with the application server: how long to wait for the connection
// and for each reply. The read bound also applies to sending the request.
struct NetTimeouts {
    std::chrono::milliseconds connect{3000};
    std::chrono::milliseconds read{30000};
    friend bool operator==(const NetTimeouts&, const NetTimeouts&) = default;
};

}  // namespace hostfw
