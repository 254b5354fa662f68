#include "report/print_folder.h"

#include <stdlib.h>
#include <unistd.h>

#include <string>

#include "host/core/abandoned_scratch.h"
#include "host/core/exception.h"
#include "host/core/output_target.h"

namespace host {
namespace {

// ".exp036-impressao-<process>-XXXXXX"; older versions made ".exp036-impressao-XXXXXX".
constexpr hostfw::ScratchNames kPrintFolderNames{".exp036-impressao-", "", true};

}  // namespace

std::set<std::filesystem::path> PdfFiles(const std::filesystem::path& folder) {
    std::set<std::filesystem::path> files;
    std::error_code missing;
    for (const auto& entry : std::filesystem::directory_iterator(folder, missing)) {
        if (entry.is_regular_file() && entry.path().extension() == ".pdf")
            files.insert(entry.path());
    }
    return files;
}

std::filesystem::path NewPdf(const std::set<std::filesystem::path>& before,
                             const std::set<std::filesystem::path>& after) {
    std::filesystem::path found;
    for (const std::filesystem::path& file : after) {
        if (before.count(file) > 0)
            continue;
        if (!found.empty())
            throw hostfw::Exception("A impressão gerou mais de um PDF.");
        found = file;
    }
    if (found.empty())
        throw hostfw::Exception("A impressão não gerou o PDF.");
    return found;
}

PrintFolder::PrintFolder(const std::filesystem::path& near) {
    const std::filesystem::path folder = near.empty() ? std::filesystem::path(".") : near;
    // The print folders of runs killed before they could clean up go first, with their PDFs.
    hostfw::RemoveAbandonedScratch(folder, kPrintFolderNames);
    std::string pattern =
        (folder / (std::string(kPrintFolderNames.prefix) + std::to_string(getpid()) + "-XXXXXX"))
            .string();
    if (mkdtemp(pattern.data()) == nullptr) {
        throw hostfw::Exception("Não foi possível criar uma pasta de impressão em '" +
                                folder.string() + "'.");
    }
    path_ = pattern;
    registration_.emplace(path_, hostfw::ScratchRegistration::Kind::Folder);
}

PrintFolder::~PrintFolder() {
    std::error_code ignored;  // nothing left to save: the PDF was moved or the run failed
    std::filesystem::remove_all(path_, ignored);
    registration_.reset();
}

void PrintFolder::MoveTo(const std::filesystem::path& target) const {
    const std::filesystem::path pdf = NewPdf({}, PdfFiles(path_));
    hostfw::CheckOutputTarget(target);
    hostfw::KeepModeOf(target, pdf);
    std::error_code error;
    std::filesystem::rename(pdf, target, error);
    if (error) {
        throw hostfw::Exception("Não foi possível gravar o PDF em '" + target.string() +
                                "': " + error.message() + ".");
    }
}

}  // namespace host
