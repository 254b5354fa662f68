#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "host/data/engine.h"
#include "host/data/pg_connection.h"

namespace hostfw {

// The shared engine: a PostgreSQL server reached through libpq.
class PgEngine final : public Engine {
public:
    static std::shared_ptr<Engine> Open(const std::string& connection,
                                        const std::optional<Credentials>& credentials);

    EngineKind Kind() const override { return EngineKind::PostgreSQL; }
    std::unique_ptr<Cursor> Query(std::string_view sql, const TParams& params) override;
    long long Execute(std::string_view sql, const TParams& params) override;
    void ExecuteScript(std::string_view sql) override;
    void BeginTransaction() override;
    // A READ ONLY transaction: the server refuses every write, and its Rollback also undoes
    // any setting a statement in it changed.
    void BeginReadOnlyTransaction() override;
    // Raises when the server rolled the transaction back because a statement in it failed.
    void Commit() override;
    void Rollback() override;
    bool IsBroken() const override { return connection_->IsBroken(); }
    std::optional<Credentials> CheckedCredentials() const override {
        return connection_->CheckedCredentials();
    }
    std::string EncryptPassword(const std::string& password, const std::string& role) {
        return connection_->EncryptPassword(password, role);
    }
    void SetDeadline(QueryDeadline deadline) override { connection_->SetDeadline(deadline); }
    QueryDeadline Deadline() const override { return connection_->Deadline(); }
    void SetStopToken(std::stop_token stop) override { connection_->SetStopToken(std::move(stop)); }

private:
    explicit PgEngine(std::shared_ptr<PgConnection> connection)
        : connection_(std::move(connection)) {}
    void Begin(const char* command);

    std::shared_ptr<PgConnection> connection_;
};

}  // namespace hostfw
