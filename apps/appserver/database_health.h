#pragma once

#include <atomic>
#include <string>

#include "call_dispatcher.h"
#include "database_question.h"

namespace appserver {

// What GET /health tells a balancer: ready (200) while the database answers and the server is
// not draining, else 503 with why. The database is asked every second by a thread of its own, so
// the answer comes at once from the I/O thread, however busy the workers are.
class DatabaseHealth {
public:
    // Asks once before returning, so the first answer is already true.
    explicit DatabaseHealth(std::string database);

    // From now on the answer is 503 "drenando": the server is about to stop.
    void Drain() { draining_ = true; }
    bool Draining() const { return draining_; }
    DispatchResult Answer() const;

private:
    DatabaseQuestion answers_;
    std::atomic<bool> draining_{false};
};

}  // namespace appserver
