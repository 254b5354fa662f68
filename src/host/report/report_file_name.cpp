#include "host/report/report_file_name.h"

#include <cstdio>

namespace hostfw {
namespace {
constexpr std::string_view kExtension = ".json";
constexpr std::size_t kMaxSequenceDigits = 6;
}  // namespace

std::string ReportFileName(const std::string& reportCode, int sequence) {
    char number[16];
    std::snprintf(number, sizeof number, "%03d", sequence);
    return reportCode + "-" + number + std::string(kExtension);
}

std::optional<int> ReportFileSequence(const std::filesystem::path& file,
                                      const std::string& reportCode) {
    const std::string name = file.filename().string();
    const std::string prefix = reportCode + "-";
    if (name.size() <= prefix.size() + kExtension.size() || !name.starts_with(prefix) ||
        !name.ends_with(kExtension)) {
        return std::nullopt;
    }
    const std::string digits =
        name.substr(prefix.size(), name.size() - prefix.size() - kExtension.size());
    if (digits.size() < 3 || digits.size() > kMaxSequenceDigits)
        return std::nullopt;
    int sequence = 0;
    for (char c : digits) {
        if (c < '0' || c > '9')
            return std::nullopt;
        sequence = sequence * 10 + (c - '0');
    }
    return sequence;
}

}  // namespace hostfw
