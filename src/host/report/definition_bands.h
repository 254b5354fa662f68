#pragma once

#include <optional>
#include <string>

#include "host/report/bound_band.h"
#include "host/report/report_definition.h"

namespace hostfw {

// The detail columns as a band of one Cells line.
Band DetailBand(const ReportDefinition& definition);

// Binds a band of the definition; a name the query or the report does not offer is a fault of
// the definition, reported with the band's place (`where`).
BoundBand BindDefinitionBand(const ReportDefinition& definition, const Band& band,
                             const NameIndex& names, const char* where);

// Where the query returns the column `name`; nothing for an empty name. A column the query
// does not return is a fault of the definition.
std::optional<std::size_t> FindResultColumn(const ReportDefinition& definition,
                                            const NameIndex& names, const std::string& name,
                                            const char* where);

}  // namespace hostfw
