#pragma once

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "host/data/engine.h"

namespace appserver {

// A yes-or-no question put to a database every second by a thread of its own, on a connection of
// its own, so the latest answer is read at once from any thread however busy the others are. A
// database that fails to answer, or answers late, counts as "no"; the connection is opened again
// at the next turn.
class DatabaseQuestion {
public:
    using Question = std::function<bool(hostfw::Engine&)>;

    // Asks once before returning, so the first answer is already there.
    DatabaseQuestion(std::string database, Question question);
    ~DatabaseQuestion();
    DatabaseQuestion(const DatabaseQuestion&) = delete;
    DatabaseQuestion& operator=(const DatabaseQuestion&) = delete;

    bool Answer() const { return answer_; }

private:
    bool Ask();

    std::string database_;
    Question question_;
    std::shared_ptr<hostfw::Engine> engine_;  // the asking thread's alone
    std::atomic<bool> answer_{false};
    std::jthread asker_;
};

}  // namespace appserver
