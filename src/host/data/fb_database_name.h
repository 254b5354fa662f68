#pragma once

#include <optional>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

// A Firebird database as the connection names it: a file this process opens itself through
// Firebird's embedded engine, or a database on a Firebird server.
struct FirebirdDatabase {
    // As Firebird's client library takes it: the file's absolute path, or
    // "host[/port]:path-or-alias" for a server.
    std::string name;
    bool embedded = false;
};

// The Firebird database a connection names, nullopt when it names none:
//   firebird:/dados/exp036.fdb         embedded (any path after "firebird:")
//   firebird:servidor/3051:exp036      a server, an alias or a path after the colon
//   /dados/exp036.fdb, exp036.fdb      embedded: a path ending in ".fdb"
//   servidor:/dados/exp036.fdb         a server (host or host/port before a colon), ".fdb" last
//   inet://servidor:3051//dados/x.fdb  a server, in Firebird's URL form
// A PostgreSQL connection string never names one, whatever it ends in.
HOSTFW_EXPORT std::optional<FirebirdDatabase> FirebirdDatabaseOf(const std::string& connection);

// True when OpenDatabase opens the connection on Firebird.
HOSTFW_EXPORT bool IsFirebirdConnection(const std::string& connection);

}  // namespace hostfw
