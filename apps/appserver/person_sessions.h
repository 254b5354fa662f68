#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>

#include "host/data/engine.h"
#include "host/session/session.h"

namespace appserver {

// Who signed in, and with what: the password stays in this process's memory only, to open
// more connections as that person while the sign-in lasts.
struct SignedInPerson {
    hostfw::Person person;
    hostfw::Credentials credentials;
};

// The sign-ins under way, by token. A token unused for the idle time is forgotten.
class PersonSessions {
public:
    using Clock = std::chrono::steady_clock;

    explicit PersonSessions(std::chrono::minutes idle) : idle_(idle) {}

    // A new token for the person.
    std::string Open(SignedInPerson person, Clock::time_point now = Clock::now());
    // The person the token belongs to, its idle time restarted; nullptr for a token that is
    // unknown or has expired.
    std::shared_ptr<const SignedInPerson> Find(const std::string& token,
                                               Clock::time_point now = Clock::now());
    std::chrono::minutes IdleTime() const { return idle_; }
    // Forgets the sign-ins unused for longer than the idle time, and with them the passwords
    // they kept; the server does it from time to time, so they go even when nobody signs in.
    void ForgetIdle(Clock::time_point now = Clock::now());

private:
    void ForgetIdleLocked(Clock::time_point now);

    struct Entry {
        std::shared_ptr<const SignedInPerson> person;
        Clock::time_point lastUse;
    };

    std::chrono::minutes idle_;
    std::mutex mutex_;
    std::map<std::string, Entry> sessions_;
};

}  // namespace appserver
