#include "host/core/staged_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "host/core/abandoned_scratch.h"
#include "host/core/checked_output.h"
#include "host/core/exception.h"
#include "host/core/output_target.h"
#include "host/core/scratch_cleanup.h"
#include "host/core/system_error_text.h"

namespace hostfw {
namespace {

// ".staged-<process>-<random>.tmp"; older versions wrote ".staged-<random>.tmp".
constexpr ScratchNames kStagedNames{".staged-", ".tmp", false};

[[noreturn]] void Failure(const std::string& what, const std::filesystem::path& path) {
    throw Exception(what + " '" + path.string() + "' (" + SystemErrorText(errno) + ").");
}

}  // namespace

StagedFile::StagedFile(const std::filesystem::path& folder, std::filesystem::path shownAs)
    : shownAs_(std::move(shownAs)) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw Exception("A pasta '" + folder.string() + "' não existe.");
    }
    // What runs killed before they could clean up left here goes first.
    RemoveAbandoned(folder);
    // Created with open() rather than mkstemp() so the umask, not 0600, sets who may read it.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate =
            folder / (std::string(kStagedNames.prefix) + std::to_string(getpid()) + "-" +
                      std::to_string(random()) + std::string(kStagedNames.suffix));
        descriptor_ = open(candidate.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (descriptor_ >= 0) {
            path_ = candidate;
            registration_.emplace(path_, ScratchRegistration::Kind::File);
            if (shownAs_.empty())
                shownAs_ = path_;
            return;
        }
        if (errno != EEXIST)
            hostfw::Failure("Não foi possível criar um arquivo na pasta", folder);
    }
    hostfw::Failure("Não foi possível criar um arquivo na pasta", folder);
}

int StagedFile::RemoveAbandoned(const std::filesystem::path& folder) {
    return RemoveAbandonedScratch(folder, kStagedNames);
}

StagedFile::~StagedFile() {
    stream_.reset();
    if (descriptor_ >= 0)
        close(descriptor_);
    if (!published_)
        unlink(path_.c_str());
    // Forgotten only now: a signal in between finds nothing left to remove, never a file left.
    registration_.reset();
}

std::ostream& StagedFile::Stream() {
    if (descriptor_ < 0)
        throw Exception("O arquivo '" + shownAs_.string() + "' já foi fechado.");
    if (!stream_)
        stream_ = std::make_unique<CheckedOutput>(descriptor_, "'" + shownAs_.string() + "'");
    return *stream_;
}

void StagedFile::Sync() {
    if (stream_)
        stream_->Finish();
    // Some file systems only report a full disk when the data reaches it, or on close.
    if (fsync(descriptor_) != 0)
        Failure();
    const int descriptor = descriptor_;
    descriptor_ = -1;
    stream_.reset();
    if (close(descriptor) != 0)
        Failure();
}

void StagedFile::Failure() const {
    hostfw::Failure("Falha ao gravar", shownAs_);
}

bool StagedFile::PublishWithoutReplacing(const std::filesystem::path& target) {
    if (renameat2(AT_FDCWD, path_.c_str(), AT_FDCWD, target.c_str(), RENAME_NOREPLACE) == 0) {
        published_ = true;
        return true;
    }
    if (errno == EEXIST)
        return false;
    // File systems without RENAME_NOREPLACE: a hard link is just as exclusive.
    if (errno != EINVAL && errno != ENOSYS)
        hostfw::Failure("Não foi possível gravar", target);
    if (link(path_.c_str(), target.c_str()) != 0) {
        if (errno == EEXIST)
            return false;
        hostfw::Failure("Não foi possível gravar", target);
    }
    unlink(path_.c_str());
    published_ = true;
    return true;
}

void StagedFile::PublishReplacing(const std::filesystem::path& target) {
    CheckOutputTarget(target);
    KeepModeOf(target, path_);
    if (std::rename(path_.c_str(), target.c_str()) != 0)
        hostfw::Failure("Não foi possível gravar", target);
    published_ = true;
}

}  // namespace hostfw
