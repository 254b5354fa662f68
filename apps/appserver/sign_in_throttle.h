#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <string>

namespace appserver {

// Slows down password guessing from one address: after kFreeFailures refused sign-ins in a row,
// each further one makes the address wait before the next is even tried, twice as long each
// time up to kLongestWait. An accepted sign-in clears the address. A waiting address is turned
// away at once, so no worker is held while it waits.
class SignInThrottle {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kFreeFailures = 3;
    static constexpr std::chrono::seconds kLongestWait{60};

    // How long the address must still wait; nullopt when it may try now.
    std::optional<std::chrono::seconds> WaitFor(const std::string& address,
                                                Clock::time_point now = Clock::now());
    void Refused(const std::string& address, Clock::time_point now = Clock::now());
    void Accepted(const std::string& address);

private:
    struct Failures {
        int count = 0;
        Clock::time_point nextTry;
    };
    // Addresses whose last refusal is older than this are forgotten.
    static constexpr std::chrono::hours kMemory{1};

    void Forget(Clock::time_point now);

    std::mutex mutex_;
    std::map<std::string, Failures> failures_;
};

}  // namespace appserver
