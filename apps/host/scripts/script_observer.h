#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "host/core/variant.h"
#include "host/ui/host_observer.h"
#include "scripts/transcript.h"

namespace host {

// What a script run follows without being asked: notices and server calls go to the
// transcript, the parameters of a report query are kept for the expectations and written
// before whatever the user sees next. The same for a run without a screen and one through
// the windows.
class ScriptObserver : public hostfw::HostObserver {
public:
    explicit ScriptObserver(Transcript& transcript) : transcript_(transcript) {}

    // Runs after every report run that reached the user (the host keeps the last query).
    void SetDeliveryObserver(std::function<void()> observer) {
        deliveryObserver_ = std::move(observer);
    }

    // Writes the parameters of the last report run if they are not written yet
    // ("param: NAME=VALUE").
    void WriteNewReportRuns();

    // The parameters the last report query ran with, in their order; nullopt before any run.
    using BoundParams = std::vector<std::pair<std::string, hostfw::Variant>>;
    const std::optional<BoundParams>& LastReportParams() const { return lastReportParams_; }
    // The last call made to the application server; nullopt before any.
    const std::optional<hostfw::ServerCallRecord>& LastServerCall() const {
        return lastServerCall_;
    }

    void Notify(const hostfw::Notice& notice) override;
    void ServerCalled(const hostfw::ServerCallRecord& call) override;
    void ReportQueryBound(const hostfw::TParams& params) override;
    void ReportDelivered() override;

private:
    Transcript& transcript_;
    std::function<void()> deliveryObserver_;
    std::optional<BoundParams> lastReportParams_;
    bool reportParamsWritten_ = true;
    std::optional<hostfw::ServerCallRecord> lastServerCall_;
};

}  // namespace host
