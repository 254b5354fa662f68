#pragma once

#include <string>

#include "host/data/params.h"

namespace benchsupport {

// The choices of a whole report of `branch`: every client, destination and invoice, the two
// years of the demo data, the four statuses.
void AssignWholeReport(hostfw::TParams& params, const std::string& branch);

}  // namespace benchsupport
