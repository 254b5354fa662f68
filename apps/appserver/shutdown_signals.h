#pragma once

#include <signal.h>

#include <atomic>
#include <functional>
#include <thread>

namespace appserver {

// SIGTERM and SIGINT end the server cleanly: they are blocked in every thread (create this
// before any other thread) and taken by one waiting thread, which runs the stop action.
class ShutdownSignals {
public:
    ShutdownSignals();
    ~ShutdownSignals();
    ShutdownSignals(const ShutdownSignals&) = delete;
    ShutdownSignals& operator=(const ShutdownSignals&) = delete;

    void OnSignal(std::function<void()> stop);
    // Once the server has stopped on its own: no signal may run the stop action any more.
    void StopWaiting();

private:
    sigset_t signals_;
    std::atomic<bool> done_{false};
    std::thread waiter_;
};

}  // namespace appserver
