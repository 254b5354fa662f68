#include "person_sessions.h"

#include "sign_in_token.h"

namespace appserver {

std::string PersonSessions::Open(SignedInPerson person, Clock::time_point now) {
    std::string token = NewSignInToken();
    const std::lock_guard lock(mutex_);
    ForgetIdleLocked(now);
    sessions_[token] = {std::make_shared<const SignedInPerson>(std::move(person)), now};
    return token;
}

std::shared_ptr<const SignedInPerson> PersonSessions::Find(const std::string& token,
                                                           Clock::time_point now) {
    const std::lock_guard lock(mutex_);
    const auto found = sessions_.find(token);
    if (found == sessions_.end())
        return nullptr;
    if (found->second.lastUse + idle_ < now) {
        sessions_.erase(found);
        return nullptr;
    }
    found->second.lastUse = now;
    return found->second.person;
}

void PersonSessions::ForgetIdle(Clock::time_point now) {
    const std::lock_guard lock(mutex_);
    ForgetIdleLocked(now);
}

void PersonSessions::ForgetIdleLocked(Clock::time_point now) {
    std::erase_if(sessions_, [&](const auto& entry) { return entry.second.lastUse + idle_ < now; });
}

}  // namespace appserver
