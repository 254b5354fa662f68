#pragma once

#include <filesystem>
#include <string>

#include "host/report/report_definition.h"
#include "hostfw_export.h"

namespace hostfw {

// Reads and checks a report definition file (JSON, described in docs/reports.md). A broken
// definition raises an Exception that names the file and what is wrong, in Portuguese:
// "Definição de relatório inválida em '<file>': <what>."
HOSTFW_EXPORT ReportDefinition LoadReportDefinition(const std::filesystem::path& file);

// The same, from text already read; `file` is kept in the definition and named in errors.
HOSTFW_EXPORT ReportDefinition ParseReportDefinition(const std::string& text,
                                                     const std::filesystem::path& file);

// The text of a definition file, refused with the same message as a broken definition when
// it cannot be read or is too large to be one.
std::string ReadReportDefinitionText(const std::filesystem::path& file);

// Report codes name files, so they are kept to letters, digits and "_".
HOSTFW_EXPORT bool IsValidReportCode(const std::string& code);

}  // namespace hostfw
