#pragma once

#include <string>
#include <string_view>

#include "hostfw_export.h"

namespace hostfw {

// The application-server link speaks HTTP/1.1 with JSON bodies; docs/protocol.md is the
// full description. A reply from a server of another version is refused, never guessed at.
inline constexpr int kWireProtocolVersion = 1;
inline constexpr std::string_view kJsonMediaType = "application/json";

// Object and method names travel in the request path, so they are limited to characters that
// need no escaping there: letters, digits, "_" and (object names only) ".".
HOSTFW_EXPORT bool IsValidObjectName(std::string_view name);
HOSTFW_EXPORT bool IsValidMethodName(std::string_view name);

// "/<object>" (is the object offered?) and "/<object>/<method>" (a late-bound call).
HOSTFW_EXPORT std::string ObjectPath(std::string_view objectName);
HOSTFW_EXPORT std::string CallPath(std::string_view objectName, std::string_view method);

}  // namespace hostfw
