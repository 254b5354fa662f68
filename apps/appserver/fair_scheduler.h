#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace appserver {

// Runs calls on a fixed set of worker threads, fairly among whoever makes them (a person, or a
// client address): each owner's calls wait in a line of their own, the lines take turns, and
// no owner has more than `perOwner` calls running at once. One owner's heavy calls wait behind
// each other, not in front of everyone else's, and never hold every worker.
class FairScheduler {
public:
    FairScheduler(std::size_t workers, std::size_t perOwner);
    // Joins.
    ~FairScheduler();
    FairScheduler(const FairScheduler&) = delete;
    FairScheduler& operator=(const FairScheduler&) = delete;

    void Submit(const std::string& owner, std::function<void()> task);
    // Runs every call submitted, those submitted meanwhile included, then stops the workers;
    // returns once they have.
    void Join();

    // At most this many calls of one owner run at once: half the workers, at least one.
    static std::size_t PerOwnerShare(std::size_t workers);

private:
    struct Line {
        std::deque<std::function<void()>> waiting;
        std::size_t running = 0;
        bool queued = false;  // in turns_
    };

    void Work();
    // Puts the owner's line in turn when it has a call waiting and room to run one. Locked.
    void OfferTurn(const std::string& owner, Line& line);

    std::size_t perOwner_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::map<std::string, Line> lines_;
    std::deque<std::string> turns_;
    std::size_t waiting_ = 0;  // calls in every line
    bool stopping_ = false;
    std::vector<std::thread> workers_;
};

}  // namespace appserver
