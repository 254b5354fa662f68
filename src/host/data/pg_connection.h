#pragma once

#include <libpq-fe.h>

#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>

#include "host/data/engine.h"
#include "host/data/params.h"

namespace hostfw {

struct PgResultClear {
    void operator()(PGresult* result) const { PQclear(result); }
};
using PgResult = std::unique_ptr<PGresult, PgResultClear>;

// The cursor that is reading rows off the connection. Before the connection runs anything
// else it asks that cursor to take in the rest of its rows, so cursors and other statements
// can be mixed freely.
class PgRowReader {
public:
    virtual void BufferRemainingRows() = 0;

protected:
    ~PgRowReader() = default;
};

// One PostgreSQL connection. Statements name their parameters ":P_NAME"; they are sent
// numbered, as text, leaving their types to the server.
class PgConnection {
public:
    // Credentials go to libpq beside the connection string, never inside it. Raises
    // SignInRefused when the server wants a password or does not accept the login.
    static std::shared_ptr<PgConnection> Connect(const std::string& connection,
                                                 const std::optional<Credentials>& credentials);
    ~PgConnection();
    PgConnection(const PgConnection&) = delete;
    PgConnection& operator=(const PgConnection&) = delete;

    // Runs one statement and returns its whole result; raises on any failure.
    PgResult Run(std::string_view sql, const TParams& params);
    // Runs a script of several statements without parameters.
    PgResult RunScript(std::string_view sql);
    bool InTransaction();
    // The server is gone: libpq gave the connection up after a failed exchange.
    bool IsBroken() const;
    // PQuser and PQpass of a connection the server asked a password of; nullopt otherwise.
    std::optional<Credentials> CheckedCredentials() const;
    // A statement still running at the deadline is cancelled on the server and raises
    // QueryTimeout.
    void SetDeadline(QueryDeadline deadline) { deadline_ = deadline; }
    QueryDeadline Deadline() const { return deadline_; }
    // A statement still running when a stop is asked (from any thread) is cancelled on the
    // server and raises QueryStopped.
    void SetStopToken(std::stop_token stop) { stop_ = std::move(stop); }

    // Starts one statement whose rows the reader then takes one by one with NextResult.
    void StartRows(std::string_view sql, const TParams& params, PgRowReader& reader);
    // The next result of the started statement; null once it is complete.
    PgResult NextResult();

    // The password as the server stores it (SCRAM-SHA-256), computed here: the clear text never
    // travels to the server.
    std::string EncryptPassword(const std::string& password, const std::string& role);

    // Raises the failure a result reports, or the connection's last error for a null result.
    [[noreturn]] void Fail(const PGresult* result) const;

private:
    explicit PgConnection(PGconn* connection) : connection_(connection) {}
    void MakeIdle();
    // What PQexec would return for the statement just sent: the first failure, or the last
    // result. Raises on a failure.
    PgResult LastResult();
    // Waits until the next result can be read without blocking; from the deadline on, or once a
    // stop is asked, it asks the server to cancel the statement, whose result then reports the
    // cancellation.
    void AwaitResult();
    void Cancel();

    PGconn* connection_;
    PgRowReader* reader_ = nullptr;
    QueryDeadline deadline_;
    std::stop_token stop_;
    bool cancelled_ = false;
};

}  // namespace hostfw
