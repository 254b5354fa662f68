#include "host_paths.h"

namespace host {

std::filesystem::path ExecutableDir() {
    return std::filesystem::read_symlink("/proc/self/exe").parent_path();
}

std::filesystem::path DefaultPackage() {
    return ExecutableDir() / "libPkg_exp03600.so";
}

std::filesystem::path DefaultReportDir() {
    const std::filesystem::path project = ExecutableDir() / ".." / ".." / "reports";
    std::error_code ignored;
    if (std::filesystem::is_directory(project, ignored))
        return project.lexically_normal();
    return "reports";
}

}  // namespace host
