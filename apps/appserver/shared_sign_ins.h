#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <string>

#include "host/data/engine.h"

namespace appserver {

// The sign-ins every server behind a balancer sees: one row per token in the shared database
// (SESSAO_ENTRADA: the token's digest, the person, when the sign-in ends unless used again),
// written and read through the server's own login. A sign-in made on one server is valid on all;
// a sign-out, an administrator's revocation (the row deleted) or an expiry holds on all of them
// at their next look.
class SharedSignIns {
public:
    using Clock = std::chrono::system_clock;
    // Runs work on the calling thread's connection of the server's own login.
    using Runner = std::function<void(const std::function<void(hostfw::Engine&)>&)>;
    // A sign-in's end moves forward at a call only when it has come this much closer, so a
    // person's calls do not each write a row.
    static constexpr std::chrono::seconds kExtendAfter{30};

    SharedSignIns(Runner run, std::chrono::seconds idle) : run_(std::move(run)), idle_(idle) {}

    // Whether the table exists (a database set up before it needs setup again).
    static bool Exists(hostfw::Engine& engine);
    void Open(const std::string& digest, const std::string& login,
              Clock::time_point now = Clock::now());
    // The login of a sign-in still valid, its end moved forward; nullopt when it ended, was
    // revoked or never was. Raises hostfw::Exception when the database cannot be asked.
    std::optional<std::string> Confirm(const std::string& digest,
                                       Clock::time_point now = Clock::now());
    void End(const std::string& digest);
    // Deletes the rows of sign-ins that ended, on whichever server runs it first.
    void DeleteEnded(Clock::time_point now = Clock::now());

private:
    Runner run_;
    std::chrono::seconds idle_;
};

}  // namespace appserver
