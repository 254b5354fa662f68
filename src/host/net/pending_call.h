#pragma once

#include <chrono>
#include <functional>
#include <future>
#include <stop_token>
#include <string>
#include <thread>

#include "host/core/exception.h"
#include "host/wire/call_messages.h"
#include "hostfw_export.h"

namespace hostfw {

// A call to the application server that the person gave up: the failure of the call, told
// once as a notice, never as an error.
class HOSTFW_EXPORT CallCancelled : public EAbort {
public:
    CallCancelled() = default;
    ~CallCancelled() override;
};

// A call to the application server under way on a thread of its own while the thread that made
// it waits through the host (NetContext::SetCallWaiter). The call gets a stop token: asked to stop,
// it closes its connection, so the server notices its client is gone and stops working on it too.
class HOSTFW_EXPORT PendingCall {
public:
    using Work = std::function<CallReply(std::stop_token)>;

    PendingCall(std::string method, Work work);
    // Gives the call up if it is still running and waits for its thread.
    ~PendingCall();
    PendingCall(const PendingCall&) = delete;
    PendingCall& operator=(const PendingCall&) = delete;

    const std::string& Method() const { return method_; }
    bool Done() const;
    // True once the call is done, after waiting at most `bound`.
    bool WaitFor(std::chrono::milliseconds bound) const;
    void Wait() const;
    // Asks the call to stop; what it replies from then on is dropped.
    void Cancel();
    bool Cancelled() const;
    // Waits for the call; its reply, its failure, or CallCancelled once it was given up.
    CallReply TakeReply();

private:
    std::string method_;
    std::future<CallReply> reply_;
    std::jthread thread_;
};

// How the host waits for a call: a window keeps painting and offers to give it up. The waiter
// returns once the call is done or given up. Without one, calls run on the thread that makes
// them, as a server's or a tool's do.
using CallWaiter = std::function<void(PendingCall&)>;

// Runs the call while the waiter waits for it; raises what the call raises, or CallCancelled
// when the waiter gave it up. An empty waiter runs it on the calling thread.
HOSTFW_EXPORT CallReply AwaitCall(const CallWaiter& waiter, const std::string& method,
                                  const PendingCall::Work& work);

}  // namespace hostfw
