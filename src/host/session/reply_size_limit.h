#pragma once

#include <cstddef>

#include "hostfw_export.h"

namespace hostfw {

// The largest reply of the application server a connection takes in, so that a server gone
// wrong cannot fill the host's memory. The default holds about a million invoices.
inline constexpr std::size_t kDefaultReplySizeLimit = std::size_t{64} << 20;
inline constexpr std::size_t kMinReplySizeLimit = std::size_t{1} << 10;
inline constexpr std::size_t kMaxReplySizeLimit = std::size_t{4} << 30;

// Raises a clear Exception unless the limit lies between the two bounds above.
HOSTFW_EXPORT void CheckReplySizeLimit(std::size_t bytes);

}  // namespace hostfw
