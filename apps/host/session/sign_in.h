#pragma once

#include <functional>
#include <optional>
#include <string>

#include "host/data/data_context.h"
#include "host/data/engine.h"

namespace host {

// What the person types when the database wants a password: told why it asks again (empty the
// first time), it answers with a user (empty: the connection's own) and a password, or nullopt
// when nobody can answer (no terminal) or the person gives up.
using CredentialsPrompt =
    std::function<std::optional<hostfw::Credentials>(const std::string& failure)>;

// How many refused passwords end the sign-in; nothing opens after that.
inline constexpr int kSignInAttempts = 3;

// Signs the person in to the context's session's shared database when it is PostgreSQL: the
// connection is tried as libpq would (its own user and password, PGPASSWORD, the password file),
// and the prompt is asked when the database wants a password or refuses the one given, up to
// kSignInAttempts refusals. On a database set up for shared use the session then takes the
// person's record (the session's person), and the sign-in is audited. Raises with a Portuguese
// message when nobody is signed in. On SQLite it does nothing. Returns the person's login and
// the password the database accepted, wherever it came from (typed, PGPASSWORD, the password
// file), for the application server's own sign-in.
std::optional<hostfw::Credentials> SignIn(hostfw::DataContext& context,
                                          const CredentialsPrompt& prompt);

// The prompt of a session without windows: the password asked on the terminal.
std::optional<hostfw::Credentials> AskOnTerminal(const std::string& failure);

}  // namespace host
