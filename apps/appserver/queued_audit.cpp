#include "queued_audit.h"

#include <algorithm>
#include <chrono>

namespace appserver {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::chrono::milliseconds kGatheringTime{500};
// SQLite's commit waits for every reader to finish and holds new readers back while it waits:
// waiting long behind one long query would stall every call with it. The writer waits only
// this long, rolls back, and tries the same rows again after the next gathering time, waiting
// twice as long each time: reads that overlap without a gap are then outwaited, at the cost of
// holding new readers back for a while once the rows have waited long. The longest wait is a
// call's default time limit, by which the readers ahead of the commit have usually ended.
constexpr int kWriterFirstWaitMs = 50;
constexpr int kWriterLongestWaitMs = 30000;
// More rows waiting than this are given up and counted in the log.
constexpr std::size_t kMostWaiting = 10000;

}  // namespace

QueuedAudit::QueuedAudit(std::string database, std::function<void(const std::string&)> warn,
                         std::chrono::milliseconds giveUpAfter)
    : database_(std::move(database)),
      warn_(std::move(warn)),
      giveUpAfter_(giveUpAfter),
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
    std::deque<hostfw::AuditEvent> batch;  // kept while its writing fails
    std::optional<Clock::time_point> failingSince;
    int waitMs = kWriterFirstWaitMs;
    while (true) {
        bool stopping = false;
        {
            std::unique_lock lock(mutex_);
            waiting_.wait(lock, [&] { return stopping_ || !events_.empty() || !batch.empty(); });
            // While the file is written nobody reads it: gather the rows of a while first.
            waiting_.wait_for(lock, kGatheringTime, [this] { return stopping_; });
            stopping = stopping_;
            while (!events_.empty()) {
                batch.push_back(std::move(events_.front()));
                events_.pop_front();
            }
        }
        if (batch.empty())
            return;
        const std::optional<std::string> failure = Write(batch, waitMs);
        if (!failure) {
            batch.clear();
            failingSince.reset();
            waitMs = kWriterFirstWaitMs;
            continue;
        }
        if (!failingSince)
            failingSince = Clock::now();
        waitMs = std::min(waitMs * 2, kWriterLongestWaitMs);
        if (stopping || Clock::now() - *failingSince >= giveUpAfter_ ||
            batch.size() > kMostWaiting) {
            warn_(std::to_string(batch.size()) +
                  " chamada(s) não registrada(s) na auditoria: " + *failure);
            batch.clear();
            failingSince.reset();
            waitMs = kWriterFirstWaitMs;
        }
    }
}

std::optional<std::string> QueuedAudit::Write(const std::deque<hostfw::AuditEvent>& batch,
                                              int waitMs) {
    try {
        if (!engine_ || engine_->IsBroken())
            engine_ = hostfw::OpenDatabase(database_);
        if (engine_->Kind() == hostfw::EngineKind::SQLite)
            engine_->Execute("PRAGMA busy_timeout = " + std::to_string(waitMs), hostfw::TParams());
        engine_->BeginTransaction();
        for (const hostfw::AuditEvent& event : batch)
            hostfw::RecordAudit(*engine_, event);
        engine_->Commit();
        return std::nullopt;
    } catch (const std::exception& failure) {
        // Closing the connection rolls the batch back and lets the readers go; the next try
        // opens another.
        engine_.reset();
        return failure.what();
    }
}

}  // namespace appserver
