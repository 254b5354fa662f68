#pragma once

#include <chrono>
#include <functional>

#include "host/data/engine.h"

namespace appserver {

// What a remote method may use while it runs: the calling thread's database connection and
// the call's deadline.
class CallContext {
public:
    using Clock = std::chrono::steady_clock;

    CallContext(std::function<hostfw::Engine&()> engine, Clock::duration timeout)
        : engine_(std::move(engine)), timeout_(timeout), deadline_(Clock::now() + timeout) {}

    // Opened on first use, so methods that need no database never touch it.
    hostfw::Engine& engine() const { return engine_(); }
    // Raises a 503 CallFailure once the call has run longer than the server allows.
    void checkDeadline() const;

private:
    std::function<hostfw::Engine&()> engine_;
    Clock::duration timeout_;
    Clock::time_point deadline_;
};

}  // namespace appserver
