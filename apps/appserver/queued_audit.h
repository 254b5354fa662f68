#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "host/data/audit_trail.h"
#include "host/data/engine.h"

namespace appserver {

// Writes audit rows on a thread of its own, the rows of half a second in one transaction. On
// the embedded default the audit is a record, not a gate, and a commit for every call would
// cost many times the call itself: each waits for the disk, and SQLite lets no call read the
// file meanwhile. A commit that would wait for a long query is tried again later rather than
// hold every other reader back, waiting twice as long at each try, so that reads which never
// leave a gap cannot keep the rows out for ever; what cannot be written for `giveUpAfter` (a
// full disk, a file without the audit table) is given up and reported through `warn`. The
// rows still waiting are written before the object goes.
class QueuedAudit {
public:
    QueuedAudit(std::string database, std::function<void(const std::string&)> warn,
                std::chrono::milliseconds giveUpAfter = std::chrono::minutes(2));
    ~QueuedAudit();
    QueuedAudit(const QueuedAudit&) = delete;
    QueuedAudit& operator=(const QueuedAudit&) = delete;

    void Add(hostfw::AuditEvent event);

private:
    void WriteUntilStopped();
    // What failed, if the batch could not be written.
    std::optional<std::string> Write(const std::deque<hostfw::AuditEvent>& batch, int waitMs);

    std::string database_;
    std::function<void(const std::string&)> warn_;
    std::chrono::milliseconds giveUpAfter_;
    std::mutex mutex_;
    std::condition_variable waiting_;
    std::deque<hostfw::AuditEvent> events_;
    bool stopping_ = false;
    std::shared_ptr<hostfw::Engine> engine_;  // the writer thread's own
    std::thread writer_;
};

}  // namespace appserver
