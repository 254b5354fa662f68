#pragma once

#include <filesystem>

#include "hostfw_export.h"

namespace hostfw {

// Refuses, with a clear message naming it, a path that output must not replace: whatever
// exists there and is not a regular file (a symbolic link, a device, a FIFO, a socket, a
// folder). A regular file or nothing at all passes.
HOSTFW_EXPORT void CheckOutputTarget(const std::filesystem::path& target);

}  // namespace hostfw
