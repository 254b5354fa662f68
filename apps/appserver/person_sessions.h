#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>

#include "host/data/engine.h"
#include "host/session/session.h"
#include "token_seal.h"

namespace appserver {

// Who signed in, and with what: the password stays in this process's memory only, to open
// more connections as that person while the sign-in lasts.
struct SignedInPerson {
    hostfw::Person person;
    hostfw::Credentials credentials;
};

// The sign-ins this server has seen, by token: a token is a random part, ".", and the person's
// password sealed to it with the servers' shared key, so any server can open the person's
// connections. A token unused here for the idle time is forgotten here; whether it is still
// valid everywhere is the shared table's to say (SharedSignIns), asked again once what this
// server knows is older than kConfirmEvery.
class PersonSessions {
public:
    using Clock = std::chrono::steady_clock;
    // How long a sign-out or revocation elsewhere may go unnoticed here.
    static constexpr std::chrono::seconds kConfirmEvery{2};

    explicit PersonSessions(std::chrono::minutes idle, TokenSeal seal = TokenSeal::Random())
        : idle_(idle), seal_(std::move(seal)) {}

    // A new token for the person, known here as confirmed now.
    std::string Open(SignedInPerson person, Clock::time_point now = Clock::now());
    // The person the token belongs to, its idle time restarted; nullptr for a token that is
    // unknown here or has expired.
    std::shared_ptr<const SignedInPerson> Find(const std::string& token,
                                               Clock::time_point now = Clock::now());
    // Whether the token was confirmed valid less than kConfirmEvery ago.
    bool Fresh(const std::string& token, Clock::time_point now = Clock::now());
    void Confirmed(const std::string& token, Clock::time_point now = Clock::now());
    // A token another server gave, once confirmed: known here from now on.
    void Remember(const std::string& token, SignedInPerson person,
                  Clock::time_point now = Clock::now());
    void Forget(const std::string& token);
    // The password sealed in a token; nullopt for a token not sealed with this server's key.
    std::optional<std::string> PasswordIn(const std::string& token) const;
    std::chrono::minutes IdleTime() const { return idle_; }
    // Forgets the sign-ins unused for longer than the idle time, and with them the passwords
    // they kept; the server does it from time to time, so they go even when nobody signs in.
    void ForgetIdle(Clock::time_point now = Clock::now());

private:
    void ForgetIdleLocked(Clock::time_point now);

    struct Entry {
        std::shared_ptr<const SignedInPerson> person;
        Clock::time_point lastUse;
        Clock::time_point confirmed;
    };

    std::chrono::minutes idle_;
    TokenSeal seal_;
    std::mutex mutex_;
    std::map<std::string, Entry> sessions_;
};

}  // namespace appserver
