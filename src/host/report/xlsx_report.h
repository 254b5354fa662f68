#pragma once

#include <filesystem>
#include <string>

#include "host/report/report_request.h"

namespace hostfw {

// The report as a spreadsheet: on the first sheet a bold heading row kept in sight with a
// filter, the detail rows with dates as dates and amounts as numbers, each group's subtotal and
// the grand total as rows of their own whose formulas add the detail rows; on the second the
// title and the parameters of the run. The first sheet prints on A4 in the report's orientation,
// one page wide, the heading on every page. Written into `file`, which the caller stages; messages
// name it `shownAs`. False when the form's handler cancelled.
bool WriteXlsxReport(const ReportRequest& request, const std::filesystem::path& file,
                     const std::string& shownAs);

}  // namespace hostfw
