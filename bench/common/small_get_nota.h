#pragma once

#include <string>

namespace benchsupport {

// A GetNota call of the branch over its first days that hold about `rows` invoices, as the
// load benchmarks send it.
std::string SmallGetNotaRequest(const std::string& databasePath, const std::string& branch,
                                long long rows);

}  // namespace benchsupport
