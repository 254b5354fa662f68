#pragma once

#include <chrono>
#include <string>

#include "database_question.h"

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

    bool Usable() const { return usable_.Answer(); }

private:
    DatabaseQuestion usable_;
};

}  // namespace appserver
