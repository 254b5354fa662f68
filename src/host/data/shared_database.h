#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <string>

#include "host/data/engine.h"
#include "hostfw_export.h"

namespace hostfw {

struct SessionSettings;

// A connection a report reads on, and whether it is the standby's.
struct ReportConnection {
    std::shared_ptr<Engine> engine;
    bool onStandby = false;
};

// The shared database of a session, opened on first use and again after the session's
// database setting changes.
class HOSTFW_EXPORT SharedDatabase {
public:
    explicit SharedDatabase(const SessionSettings& session) : session_(session) {}
    SharedDatabase(const SharedDatabase&) = delete;
    SharedDatabase& operator=(const SharedDatabase&) = delete;

    std::shared_ptr<Engine> Open();
    // Where a report reads: the session's report database (a streaming standby) while it has
    // replayed the primary's work of less than the session's bound ago, asked at each call, as
    // the person the shared database's connection checked; else the shared database. A standby
    // that cannot be reached or asked counts as too far behind, and is asked again 30 s later.
    ReportConnection OpenForReport();
    // Drops the open connections (the host does it before it changes the setting or exits).
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
    std::string standbyConnection_;
    std::shared_ptr<Engine> standby_;
    std::chrono::steady_clock::time_point standbyRetryAt_;
    std::string signedInDatabase_;
    std::optional<Credentials> credentials_;
};

}  // namespace hostfw
