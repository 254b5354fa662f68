#include "person_sessions.h"

#include "sign_in_token.h"

namespace appserver {

std::string PersonSessions::Open(SignedInPerson person, Clock::time_point now) {
    const std::string id = NewSignInToken();
    std::string token = id + "." + seal_.Seal(id, person.credentials.password);
    Remember(token, std::move(person), now);
    return token;
}

void PersonSessions::Remember(const std::string& token, SignedInPerson person,
                              Clock::time_point now) {
    const std::lock_guard lock(mutex_);
    ForgetIdleLocked(now);
    sessions_[token] = {std::make_shared<const SignedInPerson>(std::move(person)), now, now};
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

bool PersonSessions::Fresh(const std::string& token, Clock::time_point now) {
    const std::lock_guard lock(mutex_);
    const auto found = sessions_.find(token);
    return found != sessions_.end() && now - found->second.confirmed < kConfirmEvery;
}

void PersonSessions::Confirmed(const std::string& token, Clock::time_point now) {
    const std::lock_guard lock(mutex_);
    if (const auto found = sessions_.find(token); found != sessions_.end())
        found->second.confirmed = now;
}

void PersonSessions::Forget(const std::string& token) {
    const std::lock_guard lock(mutex_);
    sessions_.erase(token);
}

std::optional<std::string> PersonSessions::PasswordIn(const std::string& token) const {
    const auto dot = token.find('.');
    if (dot == std::string::npos)
        return std::nullopt;
    return seal_.Open(token.substr(0, dot), token.substr(dot + 1));
}

void PersonSessions::ForgetIdle(Clock::time_point now) {
    const std::lock_guard lock(mutex_);
    ForgetIdleLocked(now);
}

void PersonSessions::ForgetIdleLocked(Clock::time_point now) {
    std::erase_if(sessions_, [&](const auto& entry) { return entry.second.lastUse + idle_ < now; });
}

}  // namespace appserver
