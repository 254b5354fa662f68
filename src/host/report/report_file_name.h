#pragma once

#include <filesystem>
#include <optional>
#include <string>

namespace hostfw {

// Definition files are named from the report code and the sequence number, never from a
// title: "EXP036-001.json".
std::string ReportFileName(const std::string& reportCode, int sequence);

// The sequence number of a file named ReportFileName(reportCode, n); nothing for other names.
std::optional<int> ReportFileSequence(const std::filesystem::path& file,
                                      const std::string& reportCode);

}  // namespace hostfw
