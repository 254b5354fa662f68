#include "standby_lag.h"

#include <condition_variable>
#include <mutex>

#include "host/core/variant.h"

namespace appserver {
namespace {

constexpr auto kAskEvery = std::chrono::seconds(1);
constexpr auto kAskTimeout = std::chrono::seconds(2);

}  // namespace

StandbyLag::StandbyLag(std::string standby, std::chrono::seconds bound)
    : standby_(std::move(standby)), bound_(bound) {
    usable_ = Ask();
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
                usable_ = Ask();
        }
    });
}

StandbyLag::~StandbyLag() {
    asker_.request_stop();
}

bool StandbyLag::Ask() {
    try {
        if (!engine_ || engine_->IsBroken())
            engine_ = hostfw::OpenDatabase(standby_);
        engine_->SetDeadline(std::chrono::steady_clock::now() + kAskTimeout);
        hostfw::TParams params;
        params.CreateParam("LIMITE").SetAsVariant(hostfw::Variant(std::int64_t{bound_.count()}));
        const auto rows = engine_->Query(
            "SELECT CASE WHEN now() - pg_last_xact_replay_timestamp() <= "
            "make_interval(secs => CAST(:LIMITE AS integer)) THEN 1 ELSE 0 END",
            params);
        return rows->Next() && rows->Value(0).AsInteger() == 1;
    } catch (const std::exception&) {
        engine_.reset();
        return false;
    }
}

}  // namespace appserver
