#include "host/core/output_target.h"

#include <sys/stat.h>

#include <cerrno>

#include "host/core/exception.h"
#include "host/core/system_error_text.h"

namespace hostfw {
namespace {

const char* KindOf(mode_t mode) {
    if (S_ISLNK(mode))
        return "é um link simbólico";
    if (S_ISDIR(mode))
        return "é uma pasta";
    if (S_ISCHR(mode) || S_ISBLK(mode))
        return "é um dispositivo";
    if (S_ISFIFO(mode))
        return "é um FIFO";
    if (S_ISSOCK(mode))
        return "é um socket";
    return "não é um arquivo comum";
}

}  // namespace

void CheckOutputTarget(const std::filesystem::path& target) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0) {
        if (errno == ENOENT)
            return;
        throw Exception("Não é possível gravar em '" + target.string() + "' (" +
                        SystemErrorText(errno) + ").");
    }
    if (!S_ISREG(status.st_mode)) {
        throw Exception("Não é possível gravar em '" + target.string() +
                        "': " + KindOf(status.st_mode) +
                        "; a saída só vai para um arquivo comum ou para um arquivo novo.");
    }
}

void KeepModeOf(const std::filesystem::path& target, const std::filesystem::path& replacement) {
    struct stat status {};
    if (::lstat(target.c_str(), &status) != 0 || !S_ISREG(status.st_mode))
        return;
    if (::chmod(replacement.c_str(), status.st_mode & 07777) == 0)
        return;
    const int error = errno;
    // A file system without permissions (a memory card) cannot widen them either.
    struct stat now {};
    const bool wider =
        ::stat(replacement.c_str(), &now) != 0 || (now.st_mode & ~status.st_mode & 0777) != 0;
    if (wider) {
        throw Exception("Não foi possível dar a '" + target.string() +
                        "' as permissões do arquivo que ele substitui (" + SystemErrorText(error) +
                        ").");
    }
}

}  // namespace hostfw
