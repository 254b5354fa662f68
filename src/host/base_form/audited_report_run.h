#pragma once

#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "host/core/observer_slot.h"
#include "host/report/report_request.h"
#include "host/report/report_run_observer.h"

namespace hostfw {

// One report command of the base form as the audit sees it: what ran, with which parameters,
// how many rows, into what, how long and how it ended. Every command passes through here, so
// the host's audit needs no knowledge of the commands.
class AuditedReportRun {
public:
    AuditedReportRun(const ObserverSlot<ReportRunRecord>& observer,
                     const ReportDefinition& definition, std::string outputKind);

    // The request, its bound parameters and row count recorded for the audit. The parameters
    // are bound before the command returns; the rows are counted when the last one is read,
    // which for a preview shown in a window may be after the run is recorded: it then has no
    // count.
    ReportRequest Watch(ReportRequest request);

    // The file the command writes, known before it runs: a failed run still names it.
    void OutputTo(const std::filesystem::path& file);

    // Runs the command, which returns its output file (empty for none) or nullopt when the
    // form cancelled; the observer hears of the run however it ended, and failures go on.
    void Run(const std::function<std::optional<std::filesystem::path>()>& command);

private:
    const ObserverSlot<ReportRunRecord>& observer_;
    ReportRunRecord record_;
    // Shared with the request, which may outlive the run.
    std::shared_ptr<std::optional<std::int64_t>> rowsRead_ =
        std::make_shared<std::optional<std::int64_t>>();
};

}  // namespace hostfw
