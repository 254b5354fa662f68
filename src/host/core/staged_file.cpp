#include "host/core/staged_file.h"

#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>

#include <cerrno>
#include <random>

#include "host/core/exception.h"
#include "host/core/system_error_text.h"

namespace hostfw {
namespace {

[[noreturn]] void failure(const std::string& what, const std::filesystem::path& path) {
    throw Exception(what + " '" + path.string() + "' (" + SystemErrorText(errno) + ").");
}

}  // namespace

StagedFile::StagedFile(const std::filesystem::path& folder) {
    std::error_code error;
    if (!std::filesystem::is_directory(folder, error)) {
        throw Exception("A pasta '" + folder.string() + "' não existe.");
    }
    // Created with open() rather than mkstemp() so the umask, not 0600, sets who may read it.
    std::random_device random;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const auto candidate = folder / (".staged-" + std::to_string(random()) + ".tmp");
        const int fd = open(candidate.c_str(), O_CREAT | O_EXCL | O_WRONLY | O_CLOEXEC, 0666);
        if (fd >= 0) {
            close(fd);
            path_ = candidate;
            return;
        }
        if (errno != EEXIST)
            failure("Não foi possível criar um arquivo na pasta", folder);
    }
    failure("Não foi possível criar um arquivo na pasta", folder);
}

StagedFile::~StagedFile() {
    if (!published_)
        unlink(path_.c_str());
}

void StagedFile::Sync() const {
    const int fd = open(path_.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0 || fsync(fd) != 0) {
        if (fd >= 0)
            close(fd);
        failure("Falha ao gravar o arquivo", path_);
    }
    close(fd);
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
        failure("Não foi possível gravar", target);
    if (link(path_.c_str(), target.c_str()) != 0) {
        if (errno == EEXIST)
            return false;
        failure("Não foi possível gravar", target);
    }
    unlink(path_.c_str());
    published_ = true;
    return true;
}

void StagedFile::PublishReplacing(const std::filesystem::path& target) {
    if (std::rename(path_.c_str(), target.c_str()) != 0)
        failure("Não foi possível gravar", target);
    published_ = true;
}

}  // namespace hostfw
