#include "queued_audit.h"

#include <chrono>

namespace appserver {
namespace {

constexpr std::chrono::milliseconds kGatheringTime{500};

}  // namespace

QueuedAudit::QueuedAudit(std::string database, std::function<void(const std::string&)> warn)
    : database_(std::move(database)),
      warn_(std::move(warn)),
      writer_([this] { WriteUntilStopped(); }) {}

QueuedAudit::~QueuedAudit() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    waiting_.notify_one();
    writer_.join();
}

void QueuedAudit::Add(hostfw::AuditEvent event) {
    {
        const std::lock_guard lock(mutex_);
        events_.push_back(std::move(event));
    }
    waiting_.notify_one();
}

void QueuedAudit::WriteUntilStopped() {
    while (true) {
        std::deque<hostfw::AuditEvent> batch;
        {
            std::unique_lock lock(mutex_);
            waiting_.wait(lock, [this] { return stopping_ || !events_.empty(); });
            // While the file is written nobody reads it: gather the rows of a while first.
            waiting_.wait_for(lock, kGatheringTime, [this] { return stopping_; });
            if (events_.empty())
                return;
            batch.swap(events_);
        }
        Write(batch);
    }
}

void QueuedAudit::Write(const std::deque<hostfw::AuditEvent>& batch) {
    try {
        if (!engine_ || engine_->IsBroken())
            engine_ = hostfw::OpenDatabase(database_);
        engine_->BeginTransaction();
        for (const hostfw::AuditEvent& event : batch)
            hostfw::RecordAudit(*engine_, event);
        engine_->Commit();
    } catch (const std::exception& failure) {
        // Closing the connection rolls the batch back; the next one opens another.
        engine_.reset();
        warn_(std::to_string(batch.size()) +
              " chamada(s) não registrada(s) na auditoria: " + failure.what());
    }
}

}  // namespace appserver
