#pragma once

#include <chrono>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <utility>

namespace appserver {

// Slows down password guessing: after kFreeFailures refused sign-ins in a row of one login from
// one address, each further one makes that login wait there before the next is even tried,
// twice as long each time up to kLongestWait. An accepted sign-in clears it. Colleagues behind
// the same address (an office behind NAT) and the same login elsewhere go on unhindered. A
// waiting login is turned away at once, so no worker is held while it waits.
class SignInThrottle {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr int kFreeFailures = 3;
    static constexpr std::chrono::seconds kLongestWait{60};

    // How long the login must still wait at the address; nullopt when it may try now.
    std::optional<std::chrono::seconds> WaitFor(const std::string& login,
                                                const std::string& address,
                                                Clock::time_point now = Clock::now());
    void Refused(const std::string& login, const std::string& address,
                 Clock::time_point now = Clock::now());
    void Accepted(const std::string& login, const std::string& address);

private:
    struct Failures {
        int count = 0;
        Clock::time_point nextTry;
    };
    using Key = std::pair<std::string, std::string>;  // login, address
    // Those whose last refusal is older than this are forgotten, and no more than so many are
    // remembered.
    static constexpr std::chrono::hours kMemory{1};
    static constexpr std::size_t kMostRemembered = 100000;

    void Forget(Clock::time_point now);

    std::mutex mutex_;
    std::map<Key, Failures> failures_;
};

}  // namespace appserver
