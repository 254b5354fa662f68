#pragma once

#include <chrono>
#include <functional>
#include <stop_token>

#include "call_failure.h"
#include "host/data/engine.h"
#include "host/session/session.h"

namespace appserver {

// Who makes a call on a server where people sign in, and how to get a connection as that person.
struct Caller {
    hostfw::Person person;
    std::function<std::shared_ptr<hostfw::Engine>()> lend;
    // A connection of the person to a streaming standby that is recent enough; empty: the
    // calls read on the primary.
    std::function<std::shared_ptr<hostfw::Engine>()> lendOnStandby;
};

// What a remote method may use while it runs: the calling thread's database connection and
// the call's deadline, which the connection also keeps, so a statement still running then is
// interrupted in the database; so is one still running once the client is gone.
class CallContext {
public:
    using Clock = std::chrono::steady_clock;

    CallContext(std::function<hostfw::Engine&()> engine, std::chrono::seconds timeout,
                Clock::time_point start, const hostfw::Person* caller = nullptr,
                std::stop_token clientGone = {})
        : engine_(std::move(engine)),
          timeout_(timeout),
          deadline_(start + timeout),
          caller_(caller),
          clientGone_(std::move(clientGone)) {}
    // Lifts the deadline and the stop from the connection, which outlives the call.
    ~CallContext();
    CallContext(const CallContext&) = delete;
    CallContext& operator=(const CallContext&) = delete;

    // Opened on first use, so methods that need no database never touch it.
    hostfw::Engine& Engine() const;
    // Raises CallTimedOut once the call has run longer than the server allows.
    void CheckDeadline() const;
    // The signed-in person making the call; nullptr on a server without sign-in.
    const hostfw::Person* CallingPerson() const { return caller_; }

private:
    std::function<hostfw::Engine&()> engine_;
    std::chrono::seconds timeout_;
    Clock::time_point deadline_;
    const hostfw::Person* caller_;
    std::stop_token clientGone_;
    mutable hostfw::Engine* handedOut_ = nullptr;
};

// The 503 refusal of a call that ran longer than the server's limit.
CallFailure CallTimedOut(std::chrono::seconds timeout);

}  // namespace appserver
