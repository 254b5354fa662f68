#pragma once

#include "host/report/page_renderer.h"
#include "host/report/report_request.h"

namespace hostfw {

// Runs a report into a paged renderer. "Página N de M" needs M before page 1 is printed, so
// the rows are read once and laid out into pages that are spooled to a temporary file; when
// the last row is read, the spool is replayed with the page header and footer of each page.
// False when the form's handler cancelled the run.
bool RunPagedReport(const ReportRequest& request, PageRenderer& renderer);

}  // namespace hostfw
