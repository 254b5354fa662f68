#include <algorithm>
#include <nlohmann/json.hpp>

#include "host/core/exception.h"
#include "host/core/staged_file.h"
#include "host/core/utf8.h"
#include "host/report/report_commands.h"
#include "host/report/report_definition_loader.h"
#include "host/report/report_file_name.h"

namespace hostfw {
namespace {

// Keeps the members in the order the person who wrote the file chose.
using Document = nlohmann::ordered_json;

constexpr int kMaxSequence = 999999;
// Room for a title in the report chooser and on the page header.
constexpr std::size_t kMaxTitleLength = 120;

std::string Trimmed(const std::string& text) {
    const std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

// One past the highest sequence in use by any file of the report, sound or not.
int NextSequence(const std::filesystem::path& folder, const std::string& reportCode) {
    int highest = 0;
    std::error_code error;
    for (std::filesystem::directory_iterator item(folder, error), end; !error && item != end;
         item.increment(error)) {
        highest = std::max(highest, ReportFileSequence(item->path(), reportCode).value_or(0));
    }
    if (error)
        throw Exception("A pasta de relatórios '" + folder.string() + "' não pode ser lida.");
    return highest + 1;
}

std::string CopyText(Document document, const std::string& title, int sequence) {
    document["title"] = title;
    document["sequence"] = sequence;
    try {
        return document.dump(2) + "\n";
    } catch (const Document::type_error&) {
        throw Exception("O título informado não é um texto válido (UTF-8).");
    }
}

}  // namespace

std::optional<std::filesystem::path> SaveReportAs(const ReportDefinition& definition,
                                                  const std::string& title) {
    const std::string newTitle = Trimmed(title);
    if (newTitle.empty())
        return std::nullopt;
    if (Utf8Length(newTitle) > kMaxTitleLength) {
        throw Exception("O título do relatório pode ter no máximo " +
                        std::to_string(kMaxTitleLength) + " caracteres.");
    }
    // The file as it is now, checked again: a definition broken since it was loaded is not copied.
    const std::string source = ReadReportDefinitionText(definition.file);
    const ReportDefinition current = ParseReportDefinition(source, definition.file);
    const Document document = Document::parse(source);
    const std::filesystem::path folder =
        definition.file.parent_path().empty() ? "." : definition.file.parent_path();

    for (int sequence = NextSequence(folder, current.reportCode); sequence <= kMaxSequence;
         ++sequence) {
        const std::filesystem::path target = folder / ReportFileName(current.reportCode, sequence);
        const std::string text = CopyText(document, newTitle, sequence);
        ParseReportDefinition(text, target);
        StagedFile staged(folder, target);
        staged.Stream() << text;
        staged.Sync();
        // Another user may have saved the same number meanwhile: then take the next one.
        if (staged.PublishWithoutReplacing(target))
            return target;
    }
    throw Exception("Não há mais números livres para o relatório " + current.reportCode + ".");
}

}  // namespace hostfw
