#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/data/engine.h"
#include "host/data/fb_connection.h"
#include "host/data/fb_database_name.h"
#include "host/data/fb_run.h"

namespace hostfw {

// The InterBase-family engine: a Firebird 3 database, opened in this process through Firebird's
// embedded engine or on a server, through Firebird's client library.
class FbEngine final : public Engine {
public:
    static std::shared_ptr<Engine> Open(const FirebirdDatabase& database,
                                        const std::optional<Credentials>& credentials,
                                        bool createIfMissing);

    EngineKind Kind() const override { return EngineKind::Firebird; }
    bool Embedded() const override { return connection_->Embedded(); }
    std::unique_ptr<Cursor> Query(std::string_view sql, const TParams& params) override;
    // Every statement outside a transaction has one of its own: cursors read side by side.
    std::unique_ptr<Cursor> QueryAlongside(std::string_view sql, const TParams& params) override;
    long long Execute(std::string_view sql, const TParams& params) override;
    // Outside a transaction every statement of the script is committed before the next one
    // runs: Firebird lets no statement use a table created in a transaction not yet committed.
    void ExecuteScript(std::string_view sql) override;
    void BeginTransaction() override;
    // A Firebird read-only transaction, in which the engine also refuses what that leaves
    // through (a sequence moved on, a session variable set, EXECUTE BLOCK) and every statement
    // that is not a plain query.
    void BeginReadOnlyTransaction() override;
    void Commit() override;
    // Does nothing when no transaction is open, so it is safe in any cleanup.
    void Rollback() override;
    bool IsBroken() const override { return connection_->IsBroken(); }
    std::optional<Credentials> CheckedCredentials() const override {
        return connection_->CheckedCredentials();
    }
    void SetDeadline(QueryDeadline deadline) override { connection_->SetDeadline(deadline); }
    QueryDeadline Deadline() const override { return connection_->Deadline(); }
    void SetStopToken(std::stop_token stop) override { connection_->SetStopToken(std::move(stop)); }

private:
    explicit FbEngine(std::shared_ptr<FbConnection> connection)
        : connection_(std::move(connection)) {}
    long long Run(std::string_view sql, const TParams& params, FbRun::Text text);

    std::shared_ptr<FbConnection> connection_;
};

}  // namespace hostfw
