#pragma once

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

// Where a program is found on PATH; nothing when it is not there.
HOSTFW_EXPORT std::optional<std::filesystem::path> FindProgram(const std::string& name);

// Runs a program with exactly these arguments, no shell in between (nothing in them is ever
// interpreted), waits for it and returns its exit code; a program killed by a signal gives
// 128 + the signal. Raises a clear Exception when it cannot be started.
HOSTFW_EXPORT int RunProgram(const std::vector<std::string>& argv);

}  // namespace hostfw
