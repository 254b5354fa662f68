#pragma once

#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "host/data/engine.h"
#include "host/data/fb_client.h"
#include "host/data/fb_database_name.h"
#include "host/data/fb_deadline_watch.h"
#include "host/data/fb_prepared.h"
#include "host/data/transaction.h"

namespace hostfw {

// Something reading inside the connection's open transaction (a cursor), told before that
// transaction ends so that it never touches it afterwards.
class FbTransactionReader {
public:
    virtual void TransactionEnding() = 0;

protected:
    ~FbTransactionReader() = default;
};

// One attachment to a Firebird database, in UTF-8, dialect 3. Outside an explicit transaction
// every statement runs in a read-committed transaction of its own, committed when it is done,
// as autocommit would. Statements are prepared once per text and kept while idle. Engines and
// cursors share it, so a cursor stays valid after its engine is gone.
class FbConnection {
public:
    // Opens the database; with createIfMissing a database that does not exist is created (in
    // UTF-8). Credentials go to the server beside the name; without them Firebird takes
    // ISC_USER and ISC_PASSWORD, and an embedded database the system login. Raises
    // SignInRefused when the server wants a password or refuses the one given.
    static std::shared_ptr<FbConnection> Open(const FirebirdDatabase& database,
                                              const std::optional<Credentials>& credentials,
                                              bool createIfMissing);
    ~FbConnection();
    FbConnection(const FbConnection&) = delete;
    FbConnection& operator=(const FbConnection&) = delete;

    bool Embedded() const { return database_.embedded; }
    std::optional<Credentials> CheckedCredentials() const { return checkedCredentials_; }

    void Begin(TransactionKind kind);
    // A commit that fails leaves the transaction open, for Rollback.
    void Commit();
    // Does nothing when no transaction is open, so it is safe in any cleanup.
    void Rollback();
    // The open explicit transaction, or null.
    Firebird::ITransaction* OpenTransaction() const { return transaction_.get(); }
    bool ReadOnly() const { return transaction_ && readOnly_; }
    // A read-committed transaction of the kind asked for one statement outside an explicit one.
    fb::Ref<Firebird::ITransaction> StartStatementTransaction(TransactionKind kind);
    void Enlist(FbTransactionReader* reader) { readers_.push_back(reader); }
    void Withdraw(FbTransactionReader* reader);

    // A prepared statement of this text (named parameters), idle or prepared now in `transaction`.
    FbPreparedHandle Take(std::string_view sql, Firebird::ITransaction* transaction);
    // A statement of a script: prepared as written and never kept.
    FbPreparedHandle PrepareAsWritten(std::string_view sql, Firebird::ITransaction* transaction);
    // Returns a statement for reuse once its cursor, if any, is closed.
    void GiveBack(std::string_view sql, FbPreparedHandle prepared);
    // Frees every idle statement: a statement prepared on a table keeps it from being dropped or
    // altered.
    void ForgetIdleStatements() { idle_.clear(); }

    // Runs one call into the library, passing it a status, under the connection's deadline and
    // stop token. Failures raise Exception, QueryTimeout when the deadline cancelled the call,
    // QueryStopped when a stop did.
    template <typename Call>
    decltype(auto) Run(Call&& call) {
        Watched watched(*this);
        try {
            return call(status_);
        } catch (const Firebird::FbException& failure) {
            Fail(failure, watched.Finish());
        }
    }
    Firebird::IAttachment* Attachment() const { return attachment_.get(); }

    void SetDeadline(QueryDeadline deadline) { deadline_ = deadline; }
    // A stop asked from any thread cancels the call running as the deadline would.
    void SetStopToken(std::stop_token stop) { stop_ = std::move(stop); }
    // Raises QueryTimeout when the deadline has passed, QueryStopped once a stop was asked: a
    // statement is not started then (a server might take the cancel only once the statement is
    // done).
    void RefuseAfterDeadline() const;
    QueryDeadline Deadline() const { return deadline_; }
    bool IsBroken() const { return broken_; }

    [[noreturn]] void Fail(const Firebird::FbException& failure, bool deadlineFired);

private:
    // One call under the deadline; a cancel asked for it that the call outran is cleared, so
    // that it never cancels the attachment's next call.
    class Watched {
    public:
        explicit Watched(FbConnection& connection)
            : connection_(connection),
              watch_(connection.attachment_.get(), connection.deadline_, connection.stop_,
                     !connection.Embedded()) {}
        ~Watched() { Finish(); }
        Watched(const Watched&) = delete;
        Watched& operator=(const Watched&) = delete;
        bool Finish() {
            const bool fired = watch_.Finish();
            if (fired && !cleared_) {
                connection_.ClearPendingCancel();
                cleared_ = true;
            }
            return fired;
        }

    private:
        FbConnection& connection_;
        fb::DeadlineWatch watch_;
        bool cleared_ = false;
    };

    FbConnection(FirebirdDatabase database, fb::Ref<Firebird::IAttachment> attachment)
        : database_(std::move(database)), attachment_(std::move(attachment)) {}
    FbPreparedHandle Prepare(std::string text, std::vector<std::string> names,
                             Firebird::ITransaction* transaction);
    void EndReaders();
    void ClearPendingCancel();

    struct TextHash : std::hash<std::string_view> {
        using is_transparent = void;
    };
    FirebirdDatabase database_;
    fb::Ref<Firebird::IAttachment> attachment_;
    std::optional<Credentials> checkedCredentials_;
    fb::Ref<Firebird::ITransaction> transaction_;
    bool readOnly_ = false;
    std::vector<FbTransactionReader*> readers_;
    std::unordered_map<std::string, FbPreparedHandle, TextHash, std::equal_to<>> idle_;
    QueryDeadline deadline_;
    std::stop_token stop_;
    bool broken_ = false;
    // One status for every call: a connection makes one call at a time, and each call starts it
    // afresh.
    fb::Status status_;
};

}  // namespace hostfw
