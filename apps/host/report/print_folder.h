#pragma once

#include <filesystem>
#include <optional>
#include <set>

#include "host/core/scratch_cleanup.h"

namespace host {

// The PDF files directly in a folder (none when it does not exist).
std::set<std::filesystem::path> PdfFiles(const std::filesystem::path& folder);

// The one PDF among `after` that is not among `before`; raises a clear error otherwise.
std::filesystem::path NewPdf(const std::set<std::filesystem::path>& before,
                             const std::set<std::filesystem::path>& after);

// A fresh folder for one print, made next to where the PDF is wanted so that moving it there
// is a rename; removed with whatever is left in it, by a signal that ends the process too.
class PrintFolder {
public:
    explicit PrintFolder(const std::filesystem::path& near);
    ~PrintFolder();
    PrintFolder(const PrintFolder&) = delete;
    PrintFolder& operator=(const PrintFolder&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Moves the one PDF printed into this folder to `target`, replacing it in one step; only a
    // regular file is replaced, whose permissions the PDF takes.
    void MoveTo(const std::filesystem::path& target) const;

private:
    std::filesystem::path path_;
    std::optional<hostfw::ScratchRegistration> registration_;
};

}  // namespace host
