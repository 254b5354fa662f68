#pragma once

#include <optional>
#include <string>

#include "server_options.h"

namespace appserver {

// True when every address the name stands for is a loopback one (127.0.0.0/8, ::1): only
// this machine can connect. An unspecified address (0.0.0.0, ::) or a name that does not
// resolve is not.
bool IsLoopbackOnly(const std::string& listenHost);

// Why the server must not listen as configured, or nullopt: beyond loopback, anyone on the
// network could read every branch unless calls travel under TLS and each carries a sign-in.
// --insecure accepts the risk.
std::optional<std::string> ExposureRefusal(const ServerOptions& options, bool tls, bool signIn);

}  // namespace appserver
