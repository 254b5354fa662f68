#include "host/net/pending_call.h"

namespace hostfw {
CallCancelled::~CallCancelled() = default;

PendingCall::PendingCall(std::string method, Work work) : method_(std::move(method)) {
    std::promise<CallReply> promise;
    reply_ = promise.get_future();
    thread_ = std::jthread(
        [work = std::move(work), promise = std::move(promise)](std::stop_token stop) mutable {
            try {
                promise.set_value(work(stop));
            } catch (...) {
                promise.set_exception(std::current_exception());
            }
        });
}

PendingCall::~PendingCall() {
    if (!Done())
        Cancel();
}

bool PendingCall::Done() const {
    return WaitFor(std::chrono::milliseconds(0));
}

// A reply taken is no longer in the future: the call is done.
bool PendingCall::WaitFor(std::chrono::milliseconds bound) const {
    return !reply_.valid() || reply_.wait_for(bound) == std::future_status::ready;
}

void PendingCall::Wait() const {
    if (reply_.valid())
        reply_.wait();
}

void PendingCall::Cancel() {
    thread_.request_stop();
}

bool PendingCall::Cancelled() const {
    return thread_.get_stop_token().stop_requested();
}

CallReply PendingCall::TakeReply() {
    Wait();
    thread_.join();
    // A reply that came in after the person gave up is dropped with it: the form stays as it was.
    if (Cancelled())
        throw CallCancelled();
    return reply_.get();
}

CallReply AwaitCall(const CallWaiter& waiter, const std::string& method,
                    const PendingCall::Work& work) {
    if (!waiter)
        return work(std::stop_token());
    PendingCall call(method, work);
    waiter(call);
    return call.TakeReply();
}

}  // namespace hostfw
