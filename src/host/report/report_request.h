#pragma once

#include <cstdint>
#include <functional>
#include <optional>

#include "host/core/date_time.h"
#include "host/data/engine.h"
#include "host/data/params.h"
#include "host/report/report_definition.h"
#include "host/ui/run_step.h"

namespace hostfw {

// Raised just before the report query runs, with the parameters its SQL declares, all
// unassigned: the form assigns what it knows (an unassigned one binds NULL). Setting
// `cancel` to true stops the run without output.
using BeforeGetQueryParams = std::function<void(TParams& params, bool& cancel)>;
// Told how many rows the report's query gave, once the last one has been read.
using RowsRead = std::function<void(std::int64_t rows)>;

// One run of a report definition against a database.
struct ReportRequest {
    Engine& engine;
    const ReportDefinition& definition;
    BeforeGetQueryParams beforeGetQueryParams;
    // The date and time printed in the page header; the clock when not given.
    std::optional<TDateTime> printedAt;
    // Told how far the run got every few rows and every page drawn; false stops the run
    // (ReportCancelled).
    std::function<bool(const RunStep& step)> progress = {};
    RowsRead rowsRead = {};
};

}  // namespace hostfw
