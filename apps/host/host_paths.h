#pragma once

#include <filesystem>

namespace host {

// The folder the running executable is in.
std::filesystem::path ExecutableDir();
// libPkg_exp03600.so next to the executable.
std::filesystem::path DefaultPackage();
// The project's reports folder seen from a build (<build>/bin/../../reports) when it exists,
// otherwise reports in the current folder.
std::filesystem::path DefaultReportDir();

}  // namespace host
