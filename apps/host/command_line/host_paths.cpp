#include "command_line/host_paths.h"

namespace host {
namespace {

bool Present(const std::filesystem::path& path) {
    std::error_code ignored;
    return std::filesystem::exists(path, ignored);
}

// Where an installed tree keeps the package and the report definitions, seen from bin.
const std::filesystem::path kInstalledLibDir = std::filesystem::path("..") / EXP036_INSTALL_LIBDIR;
const std::filesystem::path kInstalledDataDir =
    std::filesystem::path("..") / EXP036_INSTALL_DATADIR;

}  // namespace

std::filesystem::path ExecutableDir() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

std::filesystem::path DefaultPackage() {
    const std::filesystem::path installed =
        ExecutableDir() / kInstalledLibDir / "libPkg_exp03600.so";
    if (Present(installed))
        return installed.lexically_normal();
    return ExecutableDir() / "libPkg_exp03600.so";
}

std::filesystem::path DefaultReportDir() {
    for (const std::filesystem::path& candidate : {ExecutableDir() / kInstalledDataDir / "reports",
                                                   ExecutableDir() / ".." / ".." / "reports"}) {
        if (Present(candidate))
            return candidate.lexically_normal();
    }
    return "reports";
}

}  // namespace host
