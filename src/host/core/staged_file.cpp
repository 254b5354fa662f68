#include "host/core/staged_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <random>
#include <string_view>

#include "host/core/checked_output.h"
#include "host/core/exception.h"
#include "host/core/output_target.h"
#include "host/core/system_error_text.h"

namespace hostfw {
namespace {

// ".staged-<process>-<random>.tmp"; older versions wrote ".staged-<random>.tmp".
const std::string kPrefix = ".staged-";
const std::string kSuffix = ".tmp";
constexpr auto kAbandonedAfter = std::chrono::hours(1);

[[noreturn]] void Failure(const std::string& what, const std::filesystem::path& path) {
    throw Exception(what + " '" + path.string() + "' (" + SystemErrorText(errno) + ").");
}

bool AllDigits(std::string_view text) {
    return !text.empty() && text.find_first_not_of("0123456789") == std::string_view::npos;
}

bool ProcessIsGone(std::string_view digits) {
    if (digits.size() > 9)
        return false;
    const pid_t pid = static_cast<pid_t>(std::stol(std::string(digits)));
    return pid > 0 && kill(pid, 0) != 0 && errno == ESRCH;
}

// Whether a folder entry is a staged file nobody will publish any more.
bool IsAbandoned(const std::filesystem::directory_entry& entry) {
    const std::string name = entry.path().filename().string();
    std::error_code error;
    if (!name.starts_with(kPrefix) || !name.ends_with(kSuffix) || !entry.is_regular_file(error) ||
        entry.is_symlink(error)) {
        return false;
    }
    const std::string_view middle = std::string_view(name).substr(
        kPrefix.size(), name.size() - kPrefix.size() - kSuffix.size());
    const std::size_t dash = middle.find('-');
    if (dash != std::string_view::npos) {
        return AllDigits(middle.substr(0, dash)) && AllDigits(middle.substr(dash + 1)) &&
               ProcessIsGone(middle.substr(0, dash));
    }
    const auto modified = entry.last_write_time(error);
    return !error && AllDigits(middle) &&
           std::filesystem::file_time_type::clock::now() - modified > kAbandonedAfter;
}

}  // namespace

StagedFile::StagedFile(const std::filesystem::path& folder, std::filesystem::path shownAs)
    : shownAs_(std::move(shownAs)) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw Exception("A pasta '" + folder.string() + "' não existe.");
    }
    // Created with open() rather than mkstemp() so the umask, not 0600, sets who may read it.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = folder / (kPrefix + std::to_string(getpid()) + "-" +
                                         std::to_string(random()) + kSuffix);
        descriptor_ = open(candidate.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (descriptor_ >= 0) {
            path_ = candidate;
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
    int removed = 0;
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(folder, error)) {
        if (IsAbandoned(entry) && std::filesystem::remove(entry.path(), error))
            ++removed;
    }
    return removed;
}

StagedFile::~StagedFile() {
    stream_.reset();
    if (descriptor_ >= 0)
        close(descriptor_);
    if (!published_)
        unlink(path_.c_str());
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
    if (std::rename(path_.c_str(), target.c_str()) != 0)
        hostfw::Failure("Não foi possível gravar", target);
    published_ = true;
}

}  // namespace hostfw
