#pragma once

#include <filesystem>
#include <functional>

#include "hostfw_export.h"

namespace hostfw {

// Writes `file` whole or not at all: `write` fills a staged file beside it, which replaces
// `file` only once `write` returns true and the data is on disk. A run that stops (false) or
// fails leaves no trace. False when stopped.
HOSTFW_EXPORT bool WriteFileWhole(const std::filesystem::path& file,
                                  const std::function<bool(const std::filesystem::path&)>& write);

}  // namespace hostfw
