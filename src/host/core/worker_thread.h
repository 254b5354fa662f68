#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <exception>
#include <functional>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

namespace hostfw {

// Work handed to a thread of its own, done there in the order given, a batch at a time, while
// the giver goes on with its own. At most `kWaitingBatches` batches wait, so a worker slower
// than its giver holds the giver back instead of letting memory grow. The work's first failure
// is raised to the giver at its next Give or Wait; nothing given after it is done. Going away
// stops the thread and drops what still waits.
template <class Item>
class WorkerThread {
public:
    using Work = std::function<void(std::vector<Item>& batch)>;

    explicit WorkerThread(Work work)
        : work_(std::move(work)), thread_([this] { WorkUntilStopped(); }) {}

    ~WorkerThread() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
            waiting_.clear();
        }
        changed_.notify_all();
        thread_.join();
    }

    WorkerThread(const WorkerThread&) = delete;
    WorkerThread& operator=(const WorkerThread&) = delete;

    void Give(Item item) {
        filling_.push_back(std::move(item));
        if (filling_.size() >= kBatchSize)
            HandOver();
    }

    // Returns once everything given is done; raises the work's failure.
    void Wait() {
        if (!filling_.empty())
            HandOver();
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return failure_ || (waiting_.empty() && !busy_); });
        RaiseFailure();
    }

    static constexpr std::size_t kBatchSize = 1024;
    static constexpr std::size_t kWaitingBatches = 8;

private:
    void HandOver() {
        std::unique_lock lock(mutex_);
        changed_.wait(lock, [this] { return failure_ || waiting_.size() < kWaitingBatches; });
        RaiseFailure();
        waiting_.push_back(std::move(filling_));
        filling_.clear();
        lock.unlock();
        changed_.notify_all();
    }

    void RaiseFailure() {
        if (failure_) {
            filling_.clear();
            std::rethrow_exception(failure_);
        }
    }

    void WorkUntilStopped() {
        std::unique_lock lock(mutex_);
        while (true) {
            changed_.wait(lock, [this] { return stopping_ || !waiting_.empty(); });
            if (stopping_)
                return;
            std::vector<Item> batch = std::move(waiting_.front());
            waiting_.pop_front();
            busy_ = true;
            lock.unlock();
            changed_.notify_all();  // room for the giver
            std::exception_ptr failure;
            try {
                work_(batch);
            } catch (...) {
                failure = std::current_exception();
            }
            lock.lock();
            busy_ = false;
            if (failure) {
                failure_ = failure;
                waiting_.clear();
            }
            changed_.notify_all();
        }
    }

    Work work_;
    std::vector<Item> filling_;  // the giver's own until handed over
    std::mutex mutex_;
    std::condition_variable changed_;
    std::deque<std::vector<Item>> waiting_;
    bool busy_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::thread thread_;  // last, so it starts once everything it uses is there
};

}  // namespace hostfw
