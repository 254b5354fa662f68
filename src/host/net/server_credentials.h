#pragma once

#include <functional>
#include <optional>

#include "host/data/engine.h"
#include "hostfw_export.h"

namespace hostfw {

// Where a connection finds the user and password to sign in with when the application server
// asks for a sign-in (protocol version 2): the host installs it once the person has signed in
// to the database. nullopt, or no source, leaves the server's refusal as the call's answer.
using ServerCredentialsSource = std::function<std::optional<Credentials>()>;

HOSTFW_EXPORT void SetServerCredentials(ServerCredentialsSource source);
HOSTFW_EXPORT std::optional<Credentials> ServerCredentials();

}  // namespace hostfw
