#include "host/report/definition_bands.h"

#include "host/core/exception.h"
#include "host/report/definition_error.h"

namespace hostfw {

Band DetailBand(const ReportDefinition& definition) {
    BandLine line;
    line.kind = BandLine::Kind::Cells;
    for (const ReportColumn& column : definition.columns)
        line.cells.push_back(column.value);
    return {line};
}

BoundBand BindDefinitionBand(const ReportDefinition& definition, const Band& band,
                             const NameIndex& names, const char* where) {
    try {
        return BoundBand(band, names);
    } catch (const Exception& e) {
        ThrowInvalidDefinition(definition.file, std::string(where) + ": " + e.what());
    }
}

std::optional<std::size_t> FindResultColumn(const ReportDefinition& definition,
                                            const NameIndex& names, const std::string& name,
                                            const char* where) {
    if (name.empty())
        return std::nullopt;
    if (auto index = names.Find(name))
        return index;
    ThrowInvalidDefinition(definition.file,
                           std::string(where) + ": a consulta não devolve a coluna '" + name + "'");
}

}  // namespace hostfw
