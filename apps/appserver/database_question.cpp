#include "database_question.h"

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace appserver {
namespace {

constexpr auto kAskEvery = std::chrono::seconds(1);
constexpr auto kAskTimeout = std::chrono::seconds(2);

}  // namespace

DatabaseQuestion::DatabaseQuestion(std::string database, Question question)
    : database_(std::move(database)), question_(std::move(question)) {
    answer_ = Ask();
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
                answer_ = Ask();
        }
    });
}

DatabaseQuestion::~DatabaseQuestion() {
    asker_.request_stop();
}

bool DatabaseQuestion::Ask() {
    try {
        if (!engine_ || engine_->IsBroken())
            engine_ = hostfw::OpenDatabase(database_);
        engine_->SetDeadline(std::chrono::steady_clock::now() + kAskTimeout);
        return question_(*engine_);
    } catch (const std::exception&) {
        engine_.reset();
        return false;
    }
}

}  // namespace appserver
