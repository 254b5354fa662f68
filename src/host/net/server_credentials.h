#pragma once

#include <functional>
#include <optional>

#include "host/data/engine.h"

namespace hostfw {

// Where a connection finds the user and password to sign in with when the application server
// asks for a sign-in (protocol version 2): the host installs it in its context (NetContext)
// once the person has signed in to the database. nullopt, or no source, leaves the server's
// refusal as the call's answer.
using ServerCredentialsSource = std::function<std::optional<Credentials>()>;

}  // namespace hostfw
