#pragma once

#include <filesystem>
#include <functional>

#include "host/core/staged_file.h"
#include "hostfw_export.h"

namespace hostfw {

// Writes `file` whole or not at all: `write` fills a staged file beside it, which replaces
// `file` (a regular file or none, CheckOutputTarget) only once `write` returns true and the data
// is on disk. A run that stops (false) or fails leaves no trace. False when stopped.
HOSTFW_EXPORT bool WriteFileWhole(const std::filesystem::path& file,
                                  const std::function<bool(StagedFile& staged)>& write);

}  // namespace hostfw
