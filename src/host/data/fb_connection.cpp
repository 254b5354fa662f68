#include "host/data/fb_connection.h"

#include <algorithm>

#include "host/core/exception.h"
#include "host/data/fb_attachment.h"
#include "host/data/sql_parameters.h"

namespace hostfw {
namespace {

// A row another transaction holds is waited for this long, as SQLite waits for a lock.
constexpr int kLockTimeoutSeconds = 5;
constexpr std::size_t kMaxIdleStatements = 64;

// A transaction that sees what others committed before each statement, as PostgreSQL's default
// does; a reading one is "pre-committed" in Firebird and holds back no garbage collection.
std::vector<unsigned char> TransactionParameters(TransactionKind kind) {
    fb::ParameterBlock tpb(Firebird::IXpbBuilder::TPB);
    auto& status = tpb.CallStatus();
    tpb->insertTag(&status, kind == TransactionKind::ReadOnly ? isc_tpb_read : isc_tpb_write);
    tpb->insertTag(&status, isc_tpb_read_committed);
    tpb->insertTag(&status, isc_tpb_rec_version);
    if (kind == TransactionKind::ReadWrite) {
        tpb->insertTag(&status, isc_tpb_wait);
        tpb->insertInt(&status, isc_tpb_lock_timeout, kLockTimeoutSeconds);
    }
    return tpb.Bytes();
}

const std::vector<unsigned char>& TransactionParametersOf(TransactionKind kind) {
    static const std::vector<unsigned char> readWrite =
        TransactionParameters(TransactionKind::ReadWrite);
    static const std::vector<unsigned char> readOnly =
        TransactionParameters(TransactionKind::ReadOnly);
    return kind == TransactionKind::ReadOnly ? readOnly : readWrite;
}

}  // namespace

std::shared_ptr<FbConnection> FbConnection::Open(const FirebirdDatabase& database,
                                                 const std::optional<Credentials>& credentials,
                                                 bool createIfMissing) {
    std::shared_ptr<FbConnection> connection(
        new FbConnection(database, fb::Attach(database, credentials, createIfMissing)));
    connection->checkedCredentials_ = fb::CheckedCredentials(database, credentials);
    return connection;
}

FbConnection::~FbConnection() {
    idle_.clear();
    Rollback();
    fb::Status status;
    try {
        attachment_->detach(&status);
        attachment_.Take();
    } catch (const Firebird::FbException&) {
        // The link is gone already; the reference is dropped below.
    }
}

void FbConnection::Begin(TransactionKind kind) {
    if (transaction_)
        throw Exception("Erro no banco de dados: já existe uma transação em andamento");
    const auto& tpb = TransactionParametersOf(kind);
    transaction_ = fb::Ref(Run([&](fb::Status& status) {
        return attachment_->startTransaction(&status, static_cast<unsigned>(tpb.size()),
                                             tpb.data());
    }));
    readOnly_ = kind == TransactionKind::ReadOnly;
}

fb::Ref<Firebird::ITransaction> FbConnection::StartStatementTransaction(TransactionKind kind) {
    const auto& tpb = TransactionParametersOf(kind);
    return fb::Ref(Run([&](fb::Status& status) {
        return attachment_->startTransaction(&status, static_cast<unsigned>(tpb.size()),
                                             tpb.data());
    }));
}

void FbConnection::Commit() {
    if (!transaction_)
        throw Exception("Erro no banco de dados: não há transação em andamento");
    EndReaders();
    Run([&](fb::Status& status) { transaction_->commit(&status); });
    transaction_.Take();  // released by the commit
}

void FbConnection::Rollback() {
    if (!transaction_)
        return;
    EndReaders();
    fb::Status status;
    try {
        transaction_->rollback(&status);
        transaction_.Take();
    } catch (const Firebird::FbException& failure) {
        // The server drops the transaction of an attachment it lost: nothing is left to undo.
        transaction_.Reset();
        if (fb::MeansConnectionLost(failure))
            broken_ = true;
    }
}

void FbConnection::EndReaders() {
    const std::vector<FbTransactionReader*> ending = std::move(readers_);
    readers_.clear();
    for (FbTransactionReader* reader : ending)
        reader->TransactionEnding();
}

void FbConnection::Withdraw(FbTransactionReader* reader) {
    std::erase(readers_, reader);
}

FbPreparedHandle FbConnection::Take(std::string_view sql, Firebird::ITransaction* transaction) {
    if (const auto found = idle_.find(sql); found != idle_.end()) {
        FbPreparedHandle prepared = std::move(found->second);
        idle_.erase(found);
        return prepared;
    }
    PositionalStatement positional = PositionalParameters(sql);
    return Prepare(std::move(positional.text), std::move(positional.names), transaction);
}

FbPreparedHandle FbConnection::PrepareAsWritten(std::string_view sql,
                                                Firebird::ITransaction* transaction) {
    return Prepare(std::string(sql), {}, transaction);
}

FbPreparedHandle FbConnection::Prepare(std::string text, std::vector<std::string> names,
                                       Firebird::ITransaction* transaction) {
    auto prepared = std::make_unique<FbPrepared>();
    prepared->names = std::move(names);
    Run([&](fb::Status& status) {
        using Firebird::IStatement;
        prepared->statement = fb::Ref(attachment_->prepare(
            &status, transaction, static_cast<unsigned>(text.size()), text.c_str(), fb::kDialect,
            IStatement::PREPARE_PREFETCH_METADATA));
        prepared->type = prepared->statement->getType(&status);
        prepared->hasCursor =
            (prepared->statement->getFlags(&status) & IStatement::FLAG_HAS_CURSOR) != 0;
        prepared->input = fb::Ref(prepared->statement->getInputMetadata(&status));
        prepared->output = fb::Ref(prepared->statement->getOutputMetadata(&status));
        if (prepared->input->getCount(&status) != prepared->names.size()) {
            throw Exception(
                "Erro no banco de dados: use parâmetros nomeados (:NOME) no comando SQL");
        }
    });
    return prepared;
}

void FbConnection::GiveBack(std::string_view sql, FbPreparedHandle prepared) {
    if (prepared->type != isc_info_sql_stmt_ddl && idle_.size() < kMaxIdleStatements)
        idle_.try_emplace(std::string(sql), std::move(prepared));
}

void FbConnection::ClearPendingCancel() {
    // A cancel still pending is taken (and cleared) by the next call that reaches the engine: a
    // ping, which then fails with "operation was cancelled" and leaves nothing behind. Requests
    // travel in order, so on a server the cancels sent before reach it first.
    fb::Status status;
    try {
        attachment_->ping(&status);
    } catch (const Firebird::FbException& failure) {
        if (fb::MeansConnectionLost(failure))
            broken_ = true;
    }
}

void FbConnection::RefuseAfterDeadline() const {
    if (stop_.stop_requested())
        throw QueryStopped();
    if (deadline_ && std::chrono::steady_clock::now() >= *deadline_)
        throw QueryTimeout();
}

void FbConnection::Fail(const Firebird::FbException& failure, bool deadlineFired) {
    const bool lost = fb::MeansConnectionLost(failure);
    if (lost)
        broken_ = true;
    // A call the deadline ended: cancelled, or cut from a server that did not take the cancel.
    if (deadlineFired && (lost || fb::HasCode(failure, isc_cancelled))) {
        if (stop_.stop_requested())
            throw QueryStopped();
        throw QueryTimeout();
    }
    throw Exception("Erro no banco de dados: " + fb::FailureText(failure));
}

}  // namespace hostfw
