#pragma once

#include <ostream>

#include "host/report/report_request.h"

namespace hostfw {

// Standard: RFC 4180 (commas, UTF-8, values as the report shows them). Brazilian: as a
// spreadsheet set to Brazilian Portuguese reads a CSV: semicolons, amounts with a decimal comma
// and no thousands points, and the UTF-8 byte-order mark that makes it read the accents right.
enum class CsvDialect { Standard, Brazilian };

// The detail columns of every row as CSV (CRLF line ends): one heading row with the column
// titles, then one row per query row. Rows stream from the query to the output. False when
// the form's handler cancelled.
bool WriteCsvReport(const ReportRequest& request, std::ostream& out, CsvDialect dialect);

}  // namespace hostfw
