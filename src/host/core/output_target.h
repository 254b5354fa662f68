#pragma once

#include <filesystem>

#include "hostfw_export.h"

namespace hostfw {

// Refuses, with a clear message naming it, a path that output must not replace: whatever
// exists there and is not a regular file (a symbolic link, a device, a FIFO, a socket, a
// folder). A regular file or nothing at all passes.
HOSTFW_EXPORT void CheckOutputTarget(const std::filesystem::path& target);

// Gives `replacement`, about to be renamed over `target`, the permissions of the file there, so
// a report only its owner may read stays so. Nothing when there is no regular file at `target`.
HOSTFW_EXPORT void KeepModeOf(const std::filesystem::path& target,
                              const std::filesystem::path& replacement);

}  // namespace hostfw
