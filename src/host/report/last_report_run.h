#pragma once

#include "host/data/params.h"
#include "hostfw_export.h"

namespace hostfw {

// The parameters the last report run bound, as the query received them: for the
// scripts' and the tests' expectations. Empty list before any run.
HOSTFW_EXPORT const TParams& LastReportRunParams();
HOSTFW_EXPORT bool ReportHasRun();
// How many runs were recorded so far: tells a watcher that a new run happened even when it
// bound the same values as the one before.
HOSTFW_EXPORT unsigned long ReportRunCount();
HOSTFW_EXPORT void RecordReportRunParams(const TParams& params);

}  // namespace hostfw
