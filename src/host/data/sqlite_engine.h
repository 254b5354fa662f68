#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/data/engine.h"
#include "host/data/sqlite_connection.h"

namespace hostfw {

// The embedded engine: a SQLite file, foreign keys enforced, waiting a while for a lock
// another process holds.
class SqliteEngine final : public Engine {
public:
    // The file must exist unless createIfMissing; a missing file is never created by accident.
    static std::shared_ptr<Engine> Open(const std::string& path, bool createIfMissing);

    EngineKind Kind() const override { return EngineKind::SQLite; }
    bool Embedded() const override { return true; }
    std::unique_ptr<Cursor> Query(std::string_view sql, const TParams& params) override;
    long long Execute(std::string_view sql, const TParams& params) override;
    // Runs the whole script or nothing of it.
    void ExecuteScript(std::string_view sql) override;
    void BeginTransaction() override;
    // Statements are checked by an authorizer that lets them only read, and by SQLite's own
    // verdict on the compiled statement (VACUUM INTO consults no authorizer).
    void BeginReadOnlyTransaction() override;
    void Commit() override;
    // Does nothing when no transaction is open, so it is safe in any cleanup.
    void Rollback() override;
    void SetDeadline(QueryDeadline deadline) override { connection_->SetDeadline(deadline); }
    QueryDeadline Deadline() const override { return connection_->Deadline(); }
    void SetStopToken(std::stop_token stop) override { connection_->SetStopToken(std::move(stop)); }

private:
    explicit SqliteEngine(std::shared_ptr<SqliteConnection> connection)
        : connection_(std::move(connection)) {}

    std::shared_ptr<SqliteConnection> connection_;
};

}  // namespace hostfw
