#include "person_engines.h"

#include "password_check.h"

namespace appserver {

std::shared_ptr<hostfw::Engine> PersonEngines::Lend(const SignedInPerson& signedIn) {
    const std::string& login = signedIn.person.login;
    std::shared_ptr<hostfw::Engine> engine;
    {
        const std::lock_guard lock(mutex_);
        auto& kept = idleEngines_[login];
        while (!engine && !kept.empty()) {
            engine = std::move(kept.back().engine);
            kept.pop_back();
            if (engine->IsBroken())
                engine.reset();
        }
    }
    // Opened outside the lock: a slow connect must not hold up the other calls.
    if (!engine)
        engine = OpenAsPerson(database_, signedIn.credentials);
    hostfw::Engine* lent = engine.get();
    return std::shared_ptr<hostfw::Engine>(
        lent, [this, login, engine = std::move(engine)](hostfw::Engine*) mutable {
            Keep(login, std::move(engine));
        });
}

void PersonEngines::Keep(const std::string& login, std::shared_ptr<hostfw::Engine> engine) {
    std::vector<Idle> dropped;  // closed outside the lock
    const std::lock_guard lock(mutex_);
    auto& kept = idleEngines_[login];
    // What ended one connection (a database restart, a failover) most likely ended the others
    // kept idle, which cannot know it before they are used: a call's one retry must not meet one.
    if (engine->IsBroken()) {
        dropped.swap(kept);
        return;
    }
    if (kept.size() < kKeptPerPerson)
        kept.push_back({std::move(engine), Clock::now()});
}

void PersonEngines::CloseIdle(Clock::time_point now) {
    std::vector<std::shared_ptr<hostfw::Engine>> closing;
    {
        const std::lock_guard lock(mutex_);
        for (auto person = idleEngines_.begin(); person != idleEngines_.end();) {
            std::erase_if(person->second, [&](Idle& idle) {
                if (idle.since + idle_ >= now)
                    return false;
                closing.push_back(std::move(idle.engine));
                return true;
            });
            person = person->second.empty() ? idleEngines_.erase(person) : std::next(person);
        }
    }
    // Closed outside the lock, as they were opened.
}

}  // namespace appserver
