#pragma once

#include <cstddef>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "host/report/report_definition.h"
#include "hostfw_export.h"

namespace hostfw {

// One definition file of a report. A broken one keeps its place in the list (so the items
// after it keep their numbers) and says why it cannot be used.
struct HOSTFW_EXPORT ReportCatalogEntry {
    std::filesystem::path file;
    int sequence = 0;
    std::optional<ReportDefinition> definition;
    std::string error;

    bool IsUsable() const { return definition.has_value(); }
    // What the report chooser shows: the title, or the file name of a broken definition.
    std::string Title() const;
};

// The definitions of one report code in a folder, by sequence number: what fills the report
// chooser. Item 0 and item 1 are the report's two variants (sequences 1 and 2); copies saved
// under a new title come after.
class HOSTFW_EXPORT ReportCatalog {
public:
    // Reads every "<code>-<number>.json" of the folder. Raises when the folder does not exist
    // or the code cannot name files; an empty list when no file matches.
    static ReportCatalog Load(const std::filesystem::path& folder, const std::string& reportCode);

    const std::filesystem::path& Folder() const { return folder_; }
    const std::string& ReportCode() const { return reportCode_; }
    const std::vector<ReportCatalogEntry>& Entries() const { return entries_; }
    // The definition of item `index`; raises the entry's error when it is broken.
    const ReportDefinition& Definition(std::size_t index) const;
    // Reads item `index` again after it was edited: the error that keeps it from use, or ""
    // when it is sound.
    std::string Reload(std::size_t index);

private:
    std::filesystem::path folder_;
    std::string reportCode_;
    std::vector<ReportCatalogEntry> entries_;
};

}  // namespace hostfw
