#include "shutdown_signals.h"

#include <pthread.h>

namespace appserver {

ShutdownSignals::ShutdownSignals() {
    sigemptyset(&signals_);
    sigaddset(&signals_, SIGTERM);
    sigaddset(&signals_, SIGINT);
    pthread_sigmask(SIG_BLOCK, &signals_, nullptr);
}

void ShutdownSignals::OnSignal(std::function<void()> stop) {
    waiter_ = std::thread([this, stop = std::move(stop)] {
        int received = 0;
        sigwait(&signals_, &received);
        if (!done_.exchange(true))
            stop();
    });
}

void ShutdownSignals::StopWaiting() {
    if (!waiter_.joinable())
        return;
    // Wake the waiter without running the stop action; if a signal came first, wait for it.
    if (!done_.exchange(true))
        pthread_kill(waiter_.native_handle(), SIGTERM);
    waiter_.join();
}

ShutdownSignals::~ShutdownSignals() {
    StopWaiting();
}

}  // namespace appserver
