#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/core/exception.h"
#include "host/data/engine.h"

namespace appserver {

// The database let a person's connection in without checking the password (PostgreSQL's
// pg_hba.conf says trust, peer or ident for it; Firebird's embedded engine checks none):
// whatever password was given, it was never checked.
class PasswordNotChecked : public hostfw::Exception {
public:
    PasswordNotChecked(const std::string& login, const std::string& database);
};

// A connection as the person the credentials name, only once the database has asked for the
// password and taken it. Raises SignInRefused as OpenDatabaseAs does, and PasswordNotChecked.
std::shared_ptr<hostfw::Engine> OpenAsPerson(const std::string& database,
                                             const hostfw::Credentials& credentials);

// Why the server must not start on this database, if it must not: the database does not ask a
// password of the connections the server opens for people. A probe connects as a login that
// exists nowhere, with a password nobody has; only a database that asks for the password
// refuses it as a password. Raises for a database that cannot be reached at all.
std::optional<std::string> UncheckedPasswordsRefusal(const std::string& database);

}  // namespace appserver
