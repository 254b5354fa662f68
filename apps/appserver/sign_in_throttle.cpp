#include "sign_in_throttle.h"

#include <algorithm>

namespace appserver {

std::optional<std::chrono::seconds> SignInThrottle::WaitFor(const std::string& login,
                                                            const std::string& address,
                                                            Clock::time_point now) {
    const std::lock_guard lock(mutex_);
    const auto found = failures_.find({login, address});
    if (found == failures_.end() || found->second.nextTry <= now)
        return std::nullopt;
    // Rounded up: "wait 0 s" would invite an immediate retry.
    return std::chrono::ceil<std::chrono::seconds>(found->second.nextTry - now);
}

void SignInThrottle::Refused(const std::string& login, const std::string& address,
                             Clock::time_point now) {
    const std::lock_guard lock(mutex_);
    Forget(now);
    Failures& failures = failures_[{login, address}];
    ++failures.count;
    const int doublings = failures.count - kFreeFailures;
    std::chrono::seconds wait{0};
    if (doublings >= 0)
        wait = std::min<std::chrono::seconds>(std::chrono::seconds(1LL << std::min(doublings, 16)),
                                              kLongestWait);
    failures.nextTry = now + wait;
}

void SignInThrottle::Accepted(const std::string& login, const std::string& address) {
    const std::lock_guard lock(mutex_);
    failures_.erase({login, address});
}

void SignInThrottle::Forget(Clock::time_point now) {
    std::erase_if(failures_,
                  [now](const auto& entry) { return entry.second.nextTry + kMemory < now; });
    // Logins made up by the thousand must not grow the table without end: the ones not held
    // back yet go first, then the one free soonest.
    if (failures_.size() < kMostRemembered)
        return;
    std::erase_if(failures_, [](const auto& entry) { return entry.second.count < kFreeFailures; });
    while (failures_.size() >= kMostRemembered) {
        failures_.erase(std::min_element(
            failures_.begin(), failures_.end(),
            [](const auto& a, const auto& b) { return a.second.nextTry < b.second.nextTry; }));
    }
}

}  // namespace appserver
