#pragma once

#include <filesystem>

namespace host {

// The folder the running executable is in.
std::filesystem::path ExecutableDir();
// libPkg_exp03600.so of an installed tree (<prefix>/lib/exp036) when it is there, otherwise
// next to the executable, as in a build.
std::filesystem::path DefaultPackage();
// The report definitions of an installed tree (<prefix>/share/exp036/reports), else the
// project's reports folder seen from a build (<build>/bin/../../reports), else reports in the
// current folder.
std::filesystem::path DefaultReportDir();

}  // namespace host
