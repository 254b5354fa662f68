#pragma once

#include <filesystem>
#include <memory>
#include <optional>
#include <ostream>
#include <string>

#include "host/core/scratch_cleanup.h"
#include "hostfw_export.h"

namespace hostfw {

class CheckedOutput;

// A file written under a temporary name in its destination folder and given its real name only
// once complete, so nobody ever sees half a file; dropped if never published, and by a signal
// that ends the process (RemoveScratchOnTermination).
class HOSTFW_EXPORT StagedFile {
public:
    // Raises a clear Exception when the folder does not exist or cannot be written. Messages
    // name the file as `shownAs` (what the user asked for) when given, else by the staged name.
    // The staged files that killed runs left in the folder are removed first.
    explicit StagedFile(const std::filesystem::path& folder, std::filesystem::path shownAs = {});
    ~StagedFile();
    StagedFile(const StagedFile&) = delete;
    StagedFile& operator=(const StagedFile&) = delete;

    // Removes from `folder` the staged files of processes that are gone (killed before they
    // could clean up), and nothing else: names of this class's own pattern whose process no
    // longer runs, or, for names without a process, untouched for an hour. Returns how many.
    static int RemoveAbandoned(const std::filesystem::path& folder);

    const std::filesystem::path& Path() const { return path_; }
    // Writes into the file; a write the system refuses raises at once with its reason.
    std::ostream& Stream();
    // Writes out the stream and flushes the file to the disk before it is published; raises on
    // any failure, so a file that is not whole is never published.
    void Sync();
    // Gives the file the name `target` unless a file of that name exists: false then, and the
    // staged file stays for another try.
    bool PublishWithoutReplacing(const std::filesystem::path& target);
    // Gives the file the name `target`, replacing in one step what was there, which must be a
    // regular file (CheckOutputTarget); the file keeps the permissions of the one it replaces.
    void PublishReplacing(const std::filesystem::path& target);

private:
    [[noreturn]] void Failure() const;

    std::filesystem::path path_;
    std::filesystem::path shownAs_;
    int descriptor_ = -1;
    std::unique_ptr<CheckedOutput> stream_;
    bool published_ = false;
    std::optional<ScratchRegistration> registration_;
};

}  // namespace hostfw
