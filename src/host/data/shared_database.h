#pragma once

#include <memory>
#include <optional>
#include <string>

#include "host/data/engine.h"
#include "hostfw_export.h"

namespace hostfw {

struct SessionSettings;

// The shared database of a session, opened on first use and again after the session's
// database setting changes.
class HOSTFW_EXPORT SharedDatabase {
public:
    explicit SharedDatabase(const SessionSettings& session) : session_(session) {}
    SharedDatabase(const SharedDatabase&) = delete;
    SharedDatabase& operator=(const SharedDatabase&) = delete;

    std::shared_ptr<Engine> Open();
    // Drops the open connection (the host does it before it changes the setting or exits).
    void Close();
    // Makes the connection the person signed in with, on that database and with that
    // password, the session's shared database; the password stays in memory to open it again
    // after the server dropped it, and serves no other database.
    void UseSignedIn(std::shared_ptr<Engine> engine, const std::string& database,
                     const Credentials& credentials);

private:
    const SessionSettings& session_;
    std::string connection_;
    std::shared_ptr<Engine> engine_;
    std::string signedInDatabase_;
    std::optional<Credentials> credentials_;
};

}  // namespace hostfw
