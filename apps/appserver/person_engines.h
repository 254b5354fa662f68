#pragma once

#include <chrono>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "host/data/engine.h"
#include "person_sessions.h"

namespace appserver {

// Database connections opened as the people who signed in, so the database's row-level security
// applies to every call: a few kept per person between calls, each closed by CloseIdle once it
// has been idle for longer than the idle time. A connection is lent to one call at a time.
class PersonEngines {
public:
    using Clock = std::chrono::steady_clock;
    // Idle connections kept per person; more are opened while calls run at the same time.
    static constexpr std::size_t kKeptPerPerson = 2;

    PersonEngines(std::string database, std::chrono::seconds idle)
        : database_(std::move(database)), idle_(idle) {}

    // A connection of the person for one call, given back when the last copy goes; a broken
    // one is dropped instead, with the person's idle ones. Raises as OpenAsPerson does when none
    // can be opened.
    std::shared_ptr<hostfw::Engine> Lend(const SignedInPerson& person);
    // Keeps a connection just opened as the person (the one that checked the password).
    void Keep(const std::string& login, std::shared_ptr<hostfw::Engine> engine);
    // Closes the connections idle for longer than the idle time.
    void CloseIdle(Clock::time_point now = Clock::now());

private:
    struct Idle {
        std::shared_ptr<hostfw::Engine> engine;
        Clock::time_point since;
    };

    std::string database_;
    std::chrono::seconds idle_;
    std::mutex mutex_;
    std::map<std::string, std::vector<Idle>> idleEngines_;
};

}  // namespace appserver
