#include "fair_scheduler.h"

#include <algorithm>

namespace appserver {

FairScheduler::FairScheduler(std::size_t workers, std::size_t perOwner)
    : perOwner_(std::max<std::size_t>(perOwner, 1)) {
    for (std::size_t i = 0; i < std::max<std::size_t>(workers, 1); ++i)
        workers_.emplace_back([this] { Work(); });
}

FairScheduler::~FairScheduler() {
    Join();
}

std::size_t FairScheduler::PerOwnerShare(std::size_t workers) {
    return std::max<std::size_t>(workers / 2, 1);
}

void FairScheduler::Submit(const std::string& owner, std::function<void()> task) {
    {
        const std::lock_guard lock(mutex_);
        Line& line = lines_[owner];
        line.waiting.push_back(std::move(task));
        ++waiting_;
        OfferTurn(owner, line);
    }
    changed_.notify_one();
}

void FairScheduler::Join() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    for (std::thread& worker : workers_) {
        if (worker.joinable())
            worker.join();
    }
}

void FairScheduler::OfferTurn(const std::string& owner, Line& line) {
    if (!line.queued && !line.waiting.empty() && line.running < perOwner_) {
        line.queued = true;
        turns_.push_back(owner);
    }
}

void FairScheduler::Work() {
    std::unique_lock lock(mutex_);
    while (true) {
        changed_.wait(lock, [this] { return !turns_.empty() || (stopping_ && waiting_ == 0); });
        if (turns_.empty())
            return;
        const std::string owner = std::move(turns_.front());
        turns_.pop_front();
        Line& line = lines_[owner];
        line.queued = false;
        std::function<void()> task = std::move(line.waiting.front());
        line.waiting.pop_front();
        --waiting_;
        ++line.running;
        // The owner's next call waits for its next turn, behind the other owners'.
        OfferTurn(owner, line);
        lock.unlock();
        changed_.notify_one();
        task();
        task = nullptr;  // what the call holds goes before the next one starts
        lock.lock();
        Line& finished = lines_[owner];
        --finished.running;
        OfferTurn(owner, finished);
        if (finished.running == 0 && finished.waiting.empty())
            lines_.erase(owner);
        // A turn offered, or the last call done while stopping: another worker may go on.
        changed_.notify_all();
    }
}

}  // namespace appserver
