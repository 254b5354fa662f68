#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

// One report command as it ended, for the host's audit.
struct ReportRunRecord {
    std::string report;      // the report code, its title and variant
    std::string parameters;  // the bound query parameters, NAME=value a line
    std::optional<std::int64_t> rows;
    std::string outputKind;  // visualizar, imprimir, exportar-texto, exportar-pdf, ...
    std::string outputFile;  // empty when the output is no file
    std::chrono::milliseconds duration{0};
    std::string outcome;  // "ok", "cancelado", or what failed
};

// Who hears of every report command of the base form once it has ended, however it ended; the
// host installs it. An empty observer hears nothing.
using ReportRunObserver = std::function<void(const ReportRunRecord&)>;

HOSTFW_EXPORT void SetReportRunObserver(ReportRunObserver observer);
HOSTFW_EXPORT void NotifyReportRun(const ReportRunRecord& run);

}  // namespace hostfw
