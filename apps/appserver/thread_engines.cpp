#include "thread_engines.h"

namespace appserver {

hostfw::Engine& ThreadEngines::ForCurrentThread() {
    const std::thread::id self = std::this_thread::get_id();
    {
        const std::lock_guard lock(mutex_);
        if (const auto found = engines_.find(self); found != engines_.end()) {
            // After a database restart the worker's connection is dead: open a new one.
            if (!found->second->IsBroken())
                return *found->second;
            engines_.erase(found);
        }
    }
    // Opened outside the lock: a slow PostgreSQL connect must not hold up the other threads.
    auto engine = hostfw::OpenDatabase(connection_);
    const std::lock_guard lock(mutex_);
    return *engines_.emplace(self, std::move(engine)).first->second;
}

bool ThreadEngines::BrokenOnCurrentThread() {
    const std::lock_guard lock(mutex_);
    const auto found = engines_.find(std::this_thread::get_id());
    return found != engines_.end() && found->second->IsBroken();
}

void ThreadEngines::RunOnCurrentThread(const std::function<void(hostfw::Engine&)>& work) {
    try {
        work(ForCurrentThread());
    } catch (const hostfw::Exception&) {
        if (!BrokenOnCurrentThread())
            throw;
        work(ForCurrentThread());
    }
}

}  // namespace appserver
