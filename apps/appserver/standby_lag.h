#pragma once

#include <atomic>
#include <chrono>
#include <memory>
#include <string>
#include <thread>

#include "host/data/engine.h"

namespace appserver {

// Whether a streaming standby may serve the calls' reads: it answers, and it has replayed the
// primary's work of less than `bound` ago (now() - pg_last_xact_replay_timestamp() on the
// standby). Asked every second by a thread of its own, through the server's own login. The
// primary writes an audit row for every call, so under calls the replay moment stays fresh; a
// standby that stopped receiving, or a primary idle for longer than the bound, sends the reads
// to the primary, which is never wrong.
class StandbyLag {
public:
    // Asks once before returning.
    StandbyLag(std::string standby, std::chrono::seconds bound);
    ~StandbyLag();
    StandbyLag(const StandbyLag&) = delete;
    StandbyLag& operator=(const StandbyLag&) = delete;

    bool Usable() const { return usable_; }

private:
    bool Ask();

    std::string standby_;
    std::chrono::seconds bound_;
    std::shared_ptr<hostfw::Engine> engine_;  // the asking thread's alone
    std::atomic<bool> usable_{false};
    std::jthread asker_;
};

}  // namespace appserver
