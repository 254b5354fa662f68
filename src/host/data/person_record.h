#pragma once

#include <optional>

#include "host/session/session.h"
#include "hostfw_export.h"

namespace hostfw {

class Engine;

// Whether the database keeps a table of people: PostgreSQL or Firebird set up for shared use.
HOSTFW_EXPORT bool KeepsPeople(Engine& engine);

// The record, in the table of people (USUARIO), of whoever the connection signed in as. nullopt
// when the database keeps no people (the embedded SQLite default, or PostgreSQL without the
// shared-use setup). Raises, in Portuguese, when it keeps people and this login is not one of them,
// or not an active one.
HOSTFW_EXPORT std::optional<Person> SignedInPersonRecord(Engine& engine);

}  // namespace hostfw
