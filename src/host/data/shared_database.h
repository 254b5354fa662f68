#pragma once

#include <memory>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

class Engine;
struct Credentials;

// The shared database of the session, opened on first use and again after the session's
// database setting changes.
HOSTFW_EXPORT std::shared_ptr<Engine> SharedDatabase();
// Drops the open connection (the host does it before it changes the setting or exits).
HOSTFW_EXPORT void CloseSharedDatabase();
// Makes the connection the person signed in with, on that database and with that password, the
// session's shared database; the password stays in memory to open it again after the server
// dropped it, and serves no other database.
HOSTFW_EXPORT void UseSignedInDatabase(std::shared_ptr<Engine> engine, const std::string& database,
                                       const Credentials& credentials);

}  // namespace hostfw
