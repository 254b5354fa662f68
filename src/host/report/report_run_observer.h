#pragma once

#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

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

}  // namespace hostfw
