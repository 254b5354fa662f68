#pragma once

#include <boost/asio/io_context.hpp>
#include <boost/asio/steady_timer.hpp>

#include <chrono>
#include <functional>

namespace appserver {

// Runs a chore every period on the thread of an I/O context, from Start until Stop. The chore
// must not raise: it would end the context's run.
class PeriodicChore {
public:
    PeriodicChore(boost::asio::io_context& io, std::chrono::steady_clock::duration period,
                  std::function<void()> chore)
        : timer_(io), period_(period), chore_(std::move(chore)) {}

    void Start();
    // On the context's thread; the chore does not run again.
    void Stop();

private:
    void Arm();

    boost::asio::steady_timer timer_;
    std::chrono::steady_clock::duration period_;
    std::function<void()> chore_;
    bool stopped_ = false;
};

}  // namespace appserver
