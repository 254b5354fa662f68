#pragma once

#include <optional>

#include "host/data/engine.h"
#include "host/data/fb_client.h"
#include "host/data/fb_database_name.h"

namespace hostfw::fb {

// The SQL dialect every statement is written in.
inline constexpr unsigned kDialect = SQL_DIALECT_V6;

// Attaches to the database in UTF-8 through the one provider its name asks for (the embedded
// engine or a server); with createIfMissing a database that does not exist is created, in
// UTF-8. Credentials go to the server beside the name; without them Firebird takes ISC_USER and
// ISC_PASSWORD, and an embedded database the system login. Raises SignInRefused when the server
// wants a password or refuses the one given, and a clear Exception for any other failure.
Ref<Firebird::IAttachment> Attach(const FirebirdDatabase& database,
                                  const std::optional<Credentials>& credentials,
                                  bool createIfMissing);

// The user and password a server checked: those given, or those Firebird's client library took
// from ISC_USER and ISC_PASSWORD. An embedded database checks none.
std::optional<Credentials> CheckedCredentials(const FirebirdDatabase& database,
                                              const std::optional<Credentials>& credentials);

}  // namespace hostfw::fb
