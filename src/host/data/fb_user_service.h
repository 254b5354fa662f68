#pragma once

#include <string>

#include "hostfw_export.h"

namespace hostfw {

// Creates a Firebird user with an SRP password on the server of the database the connection
// names, through the server's services API: the password travels as a parameter of the service
// request, never in the text of a statement (CREATE USER takes it as a literal, which the
// server's trace would show). The administrator's own login comes from ISC_USER and
// ISC_PASSWORD. Raises, in Portuguese, for an embedded database (nobody there checks a
// password) and when the server refuses.
HOSTFW_EXPORT void AddFirebirdUser(const std::string& connection, const std::string& login,
                                   const std::string& password);

}  // namespace hostfw
