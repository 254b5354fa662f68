#pragma once

#include <string>

#include "hostfw_export.h"

namespace hostfw {

class Engine;

// A person's password as a PostgreSQL server stores it (SCRAM-SHA-256), computed by libpq on
// this side, so that the clear text reaches neither the server nor its logs. Raises for an engine
// that is not PostgreSQL.
HOSTFW_EXPORT std::string EncryptedPassword(Engine& engine, const std::string& role,
                                            const std::string& password);

}  // namespace hostfw
