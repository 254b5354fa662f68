#include "database_health.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace appserver {
namespace {

constexpr auto kAskEvery = std::chrono::seconds(1);
constexpr auto kAskTimeout = std::chrono::seconds(2);

}  // namespace

DatabaseHealth::DatabaseHealth(std::string database) : database_(std::move(database)) {
    answers_ = Ask();
    engine_.reset();  // the asking thread opens its own
    asker_ = std::jthread([this](std::stop_token stop) {
        std::mutex mutex;
        std::condition_variable_any wake;
        while (!stop.stop_requested()) {
            {
                std::unique_lock lock(mutex);
                wake.wait_for(lock, stop, kAskEvery, [] { return false; });
            }
            if (!stop.stop_requested())
                answers_ = Ask();
        }
    });
}

DatabaseHealth::~DatabaseHealth() {
    asker_.request_stop();
}

bool DatabaseHealth::Ask() {
    try {
        if (!engine_ || engine_->IsBroken())
            engine_ = hostfw::OpenDatabase(database_);
        engine_->SetDeadline(std::chrono::steady_clock::now() + kAskTimeout);
        const char* probe = engine_->Kind() == hostfw::EngineKind::Firebird
                                ? "SELECT 1 FROM RDB$DATABASE"
                                : "SELECT 1";
        engine_->Query(probe, hostfw::TParams())->Next();
        return true;
    } catch (const std::exception&) {
        engine_.reset();
        return false;
    }
}

DispatchResult DatabaseHealth::Answer() const {
    if (draining_)
        return ErrorResult(503, "drenando: o servidor vai parar.");
    if (!answers_)
        return ErrorResult(503, "o banco de dados não responde.");
    return {200, "{\"version\":1,\"estado\":\"pronto\"}", std::nullopt, "pronto", std::nullopt};
}

}  // namespace appserver
