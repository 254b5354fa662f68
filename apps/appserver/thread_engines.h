#pragma once

#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "host/data/engine.h"

namespace appserver {

// One database connection per worker thread, opened on the thread's first call: a SQLite
// connection must not be shared between threads, and a libpq one is not safe to share either.
// The connections close when this object goes, after the workers have stopped. A connection
// the database server dropped is replaced on the thread's next call.
class ThreadEngines {
public:
    explicit ThreadEngines(std::string connection) : connection_(std::move(connection)) {}

    hostfw::Engine& ForCurrentThread();
    // True when the calling thread's connection was opened and has since been lost.
    bool BrokenOnCurrentThread();
    // Runs `work` on the calling thread's connection and, when it failed because that
    // connection broke under it (the database server restarted), once more on a new one: for
    // work that may safely run twice.
    void RunOnCurrentThread(const std::function<void(hostfw::Engine&)>& work);

private:
    std::string connection_;
    std::mutex mutex_;
    std::map<std::thread::id, std::shared_ptr<hostfw::Engine>> engines_;
};

}  // namespace appserver
