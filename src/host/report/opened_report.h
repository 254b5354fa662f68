#pragma once

#include <memory>
#include <optional>

#include "host/data/engine.h"
#include "host/data/params.h"
#include "host/report/bound_template.h"
#include "host/report/report_request.h"
#include "host/report/report_scope.h"

namespace hostfw {

// A report whose parameters were filled by the form, whose look-ups ran and whose query is
// open, ready to be read row by row.
struct OpenedReport {
    TParams params;
    ReportScope scope;
    std::unique_ptr<Cursor> rows;
    NameIndex rowNames;  // the query's columns, then "count" and "total" of the current group
};

// Builds the parameter list from what the definition's SQL declares, hands it to the form's
// handler and runs the look-ups and the query with exactly the values assigned. Nothing when
// the handler cancelled. A failing statement raises an Exception with the database's message.
std::optional<OpenedReport> OpenReport(const ReportRequest& request);

}  // namespace hostfw
