#include "host/data/fb_deadline_watch.h"

#include <algorithm>
#include <condition_variable>
#include <list>
#include <mutex>
#include <thread>

namespace hostfw::fb {

struct DeadlineWatch::Entry {
    Firebird::IAttachment* attachment;
    std::chrono::steady_clock::time_point due;
    bool abortable = false;
    bool fired = false;
    std::chrono::steady_clock::time_point abortAt{};
};

namespace {

using Clock = std::chrono::steady_clock;
constexpr std::chrono::milliseconds kCancelRepeat{100};

// The one timer thread of the process, started by the first watch with a deadline.
class CancelTimer {
public:
    static CancelTimer& Instance() {
        static CancelTimer timer;
        return timer;
    }

    DeadlineWatch::Entry* Add(Firebird::IAttachment* attachment, Clock::time_point due,
                              bool abortable) {
        const std::lock_guard lock(mutex_);
        if (!thread_.joinable())
            thread_ = std::thread([this] { Run(); });
        DeadlineWatch::Entry* entry =
            &entries_.emplace_back(DeadlineWatch::Entry{attachment, due, abortable});
        // A call is watched at every row it fetches: the thread is woken only when it would
        // otherwise wake too late.
        if (due < wakeAt_)
            changed_.notify_one();
        return entry;
    }

    // Makes a watched entry due now: its call is cancelled as at its deadline.
    void DueNow(DeadlineWatch::Entry* entry) {
        const std::lock_guard lock(mutex_);
        entry->due = std::min(entry->due, Clock::now());
        changed_.notify_one();
    }

    // Once this returns no cancel is under way for the entry, nor will one be; true when one
    // was asked.
    bool Remove(DeadlineWatch::Entry* entry) {
        const std::lock_guard lock(mutex_);
        const bool fired = entry->fired;
        entries_.remove_if([entry](const DeadlineWatch::Entry& e) { return &e == entry; });
        return fired;
    }

    ~CancelTimer() {
        {
            const std::lock_guard lock(mutex_);
            stopping_ = true;
            changed_.notify_one();
        }
        if (thread_.joinable())
            thread_.join();
    }

private:
    CancelTimer() = default;

    void Run() {
        std::unique_lock lock(mutex_);
        while (!stopping_) {
            const auto next =
                std::min_element(entries_.begin(), entries_.end(),
                                 [](const auto& a, const auto& b) { return a.due < b.due; });
            // A call watched only for a stop has no time to wait for.
            if (next == entries_.end() || next->due == Clock::time_point::max()) {
                wakeAt_ = Clock::time_point::max();
                changed_.wait(lock);
            } else if (const Clock::time_point due = next->due; Clock::now() < due) {
                // A copy: the entry may be gone once the lock is given up to wait.
                wakeAt_ = due;
                changed_.wait_until(lock, due);
            } else {
                Cancel(*next);
            }
        }
    }

    // Under the lock, so the call cannot return and its attachment be detached while the cancel
    // is being asked.
    static void Cancel(DeadlineWatch::Entry& entry) {
        const Clock::time_point now = Clock::now();
        if (!entry.fired)
            entry.abortAt = now + DeadlineWatch::kAbortAfter;
        const bool abort = entry.abortable && now >= entry.abortAt;
        Status status;
        try {
            entry.attachment->cancelOperation(&status, abort ? fb_cancel_abort : fb_cancel_raise);
        } catch (const Firebird::FbException&) {
            // Nothing running yet, or already over: asked again below, or removed.
        }
        entry.fired = true;
        // Once cut, the link has nothing more to cancel.
        entry.due = now + (abort ? std::chrono::hours(24) : kCancelRepeat);
    }

    std::mutex mutex_;
    std::condition_variable changed_;
    std::list<DeadlineWatch::Entry> entries_;
    std::thread thread_;
    Clock::time_point wakeAt_ = Clock::time_point::min();  // when the thread looks again
    bool stopping_ = false;
};

}  // namespace

DeadlineWatch::DeadlineWatch(Firebird::IAttachment* attachment, QueryDeadline deadline,
                             const std::stop_token& stop, bool abortable) {
    if (!deadline && !stop.stop_possible())
        return;
    entry_ = CancelTimer::Instance().Add(attachment, deadline.value_or(Clock::time_point::max()),
                                         abortable);
    if (stop.stop_possible())
        stopped_.emplace(stop, [entry = entry_] { CancelTimer::Instance().DueNow(entry); });
}

bool DeadlineWatch::Finish() {
    stopped_.reset();
    if (entry_ != nullptr) {
        fired_ = CancelTimer::Instance().Remove(entry_);
        entry_ = nullptr;
    }
    return fired_;
}

}  // namespace hostfw::fb
