#pragma once

#include <filesystem>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

// A file written under a temporary name in its destination folder and given its real name only
// once complete, so nobody ever sees half a file; dropped if never published.
class HOSTFW_EXPORT StagedFile {
public:
    // Raises a clear Exception when the folder does not exist or cannot be written.
    explicit StagedFile(const std::filesystem::path& folder);
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    const std::filesystem::path& Path() const { return path_; }
    // Flushes the written data to the disk before the file is published.
    void Sync() const;
    // Gives the file the name `target` unless a file of that name exists: false then, and the
    // staged file stays for another try.
    bool PublishWithoutReplacing(const std::filesystem::path& target);
    // Gives the file the name `target`, replacing what was there in one step.
    void PublishReplacing(const std::filesystem::path& target);

private:
    std::filesystem::path path_;
    bool published_ = false;
};

}  // namespace hostfw
