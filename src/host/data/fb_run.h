#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/data/fb_client.h"
#include "host/data/fb_connection.h"
#include "host/data/fb_input_message.h"
#include "host/data/fb_prepared.h"
#include "host/data/params.h"

namespace hostfw {

// One run of a statement on a connection: the transaction it runs in (the connection's open
// one, or one of its own that Finish commits and anything else rolls back), the prepared
// statement, checked against a read-only transaction, and its input.
class FbRun {
public:
    enum class Text {
        Named,      // parameters written ":P_NAME"; prepared once per text
        AsWritten,  // a statement of a script, sent as it is
    };

    // Outside the connection's open transaction the run has one of its own, of the kind `own`.
    FbRun(std::shared_ptr<FbConnection> connection, std::string_view sql, const TParams& params,
          Text text = Text::Named, TransactionKind own = TransactionKind::ReadWrite);
    ~FbRun();
    FbRun(const FbRun&) = delete;
    FbRun& operator=(const FbRun&) = delete;

    FbConnection& Connection() const { return *connection_; }
    const FbPrepared& Prepared() const { return *prepared_; }
    Firebird::ITransaction* Transaction() const { return transaction_; }
    // True when the run has a transaction of its own rather than the connection's open one.
    bool Autocommit() const { return static_cast<bool>(ownTransaction_); }

    fb::Ref<Firebird::IResultSet> OpenCursor();
    // Runs a statement without a cursor; what it returns (RETURNING, a procedure's outputs)
    // lands in `output`, a message of the statement's output length.
    void Execute(unsigned char* output);
    long long AffectedRecords();
    // Commits the run's own transaction.
    void Finish();

    std::string ReadBlob(ISC_QUAD id) const;

private:
    // A transaction of the run's own, rolled back unless committed.
    class OwnTransaction {
    public:
        OwnTransaction() = default;
        explicit OwnTransaction(fb::Ref<Firebird::ITransaction> transaction)
            : transaction_(std::move(transaction)) {}
        ~OwnTransaction();
        OwnTransaction(OwnTransaction&&) = default;
        OwnTransaction& operator=(OwnTransaction&&) = default;

        Firebird::ITransaction* get() const { return transaction_.get(); }
        explicit operator bool() const { return static_cast<bool>(transaction_); }
        void Commit(FbConnection& connection);

    private:
        fb::Ref<Firebird::ITransaction> transaction_;
    };

    ISC_QUAD WriteBlob(std::string_view text);

    std::shared_ptr<FbConnection> connection_;
    OwnTransaction ownTransaction_;
    Firebird::ITransaction* transaction_ = nullptr;
    std::string key_;  // the text it is kept by; empty when it is not kept
    FbPreparedHandle prepared_;
    std::unique_ptr<FbInputMessage> input_;
};

}  // namespace hostfw
