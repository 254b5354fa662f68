#pragma once

#include <ostream>

#include "host/report/report_request.h"

namespace hostfw {

// The detail columns of every row as CSV (RFC 4180, UTF-8, CRLF line ends): one heading row
// with the column titles, then one row per query row, values as the report shows them.
// Rows stream from the query to the output. False when the form's handler cancelled.
bool WriteCsvReport(const ReportRequest& request, std::ostream& out);

}  // namespace hostfw
