#include "host/report/report_catalog.h"

#include <algorithm>

#include "host/core/exception.h"
#include "host/report/definition_error.h"
#include "host/report/report_definition_loader.h"
#include "host/report/report_file_name.h"

namespace hostfw {
namespace {

ReportCatalogEntry ReadEntry(const std::filesystem::path& file, int sequence,
                             const std::string& reportCode) {
    ReportCatalogEntry entry{file, sequence, std::nullopt, {}};
    try {
        ReportDefinition definition = LoadReportDefinition(file);
        if (definition.reportCode != reportCode || definition.sequence != sequence) {
            ThrowInvalidDefinition(
                file, "o relatório e a sequência do arquivo (" + definition.reportCode + ", " +
                          std::to_string(definition.sequence) + ") não conferem com o seu nome");
        }
        entry.definition = std::move(definition);
    } catch (const Exception& e) {
        entry.error = e.what();
    }
    return entry;
}

void CheckIndex(std::size_t index, std::size_t size) {
    if (index >= size)
        throw Exception("Não há relatório na posição " + std::to_string(index) + " da lista.");
}

}  // namespace

std::string ReportCatalogEntry::Title() const {
    return definition ? definition->title : file.filename().string() + " (inválido)";
}

ReportCatalog ReportCatalog::Load(const std::filesystem::path& folder,
                                  const std::string& reportCode) {
    if (!IsValidReportCode(reportCode))
        throw Exception("Código de relatório inválido: '" + reportCode + "'.");
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw Exception("A pasta de relatórios '" + folder.string() + "' não existe.");
    }
    ReportCatalog catalog;
    catalog.folder_ = folder;
    catalog.reportCode_ = reportCode;
    // Stepped with an error code: a folder that turns unreadable midway is told, not thrown.
    for (std::filesystem::directory_iterator item(folder, error), end; !error && item != end;
         item.increment(error)) {
        const auto sequence = ReportFileSequence(item->path(), reportCode);
        std::error_code typeError;
        if (sequence && item->is_regular_file(typeError)) {
            catalog.entries_.push_back(ReadEntry(item->path(), *sequence, reportCode));
        }
    }
    if (error)
        throw Exception("A pasta de relatórios '" + folder.string() + "' não pode ser lida.");
    std::sort(catalog.entries_.begin(), catalog.entries_.end(),
              [](const ReportCatalogEntry& a, const ReportCatalogEntry& b) {
                  return a.sequence != b.sequence ? a.sequence < b.sequence : a.file < b.file;
              });
    return catalog;
}

const ReportDefinition& ReportCatalog::Definition(std::size_t index) const {
    CheckIndex(index, entries_.size());
    const ReportCatalogEntry& entry = entries_[index];
    if (!entry.definition)
        throw Exception(entry.error);
    return *entry.definition;
}

std::string ReportCatalog::Reload(std::size_t index) {
    CheckIndex(index, entries_.size());
    ReportCatalogEntry& entry = entries_[index];
    entry = ReadEntry(entry.file, entry.sequence, reportCode_);
    return entry.error;
}

}  // namespace hostfw
