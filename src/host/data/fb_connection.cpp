#include "host/data/fb_connection.h"

#include <unistd.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>

#include "host/core/exception.h"
#include "host/data/fb_environment.h"
#include "host/data/sign_in_refused.h"
#include "host/data/sql_parameters.h"

namespace hostfw {
namespace {

// Without a limit, connecting to a host that does not answer would wait a long time.
constexpr int kConnectTimeoutSeconds = 10;
// A row another transaction holds is waited for this long, as SQLite waits for a lock.
constexpr int kLockTimeoutSeconds = 5;
constexpr std::size_t kMaxIdleStatements = 64;
constexpr unsigned kDialect = SQL_DIALECT_V6;

class Parameters {
public:
    explicit Parameters(unsigned kind) {
        fb::Status status;
        builder_ = fb::Util()->getXpbBuilder(&status, kind, nullptr, 0);
    }
    ~Parameters() { builder_->dispose(); }
    Parameters(const Parameters&) = delete;
    Parameters& operator=(const Parameters&) = delete;

    Firebird::IXpbBuilder* operator->() { return builder_; }
    fb::Status& Status() { return status_; }
    unsigned Length() { return builder_->getBufferLength(&status_); }
    const unsigned char* Bytes() { return builder_->getBuffer(&status_); }

private:
    fb::Status status_;
    Firebird::IXpbBuilder* builder_;
};

// A transaction that sees what others committed before each statement, as PostgreSQL's default
// does; a reading one is "pre-committed" in Firebird and holds back no garbage collection.
std::vector<unsigned char> TransactionParameters(TransactionKind kind) {
    Parameters tpb(Firebird::IXpbBuilder::TPB);
    auto& status = tpb.Status();
    tpb->insertTag(&status, kind == TransactionKind::ReadOnly ? isc_tpb_read : isc_tpb_write);
    tpb->insertTag(&status, isc_tpb_read_committed);
    tpb->insertTag(&status, isc_tpb_rec_version);
    if (kind == TransactionKind::ReadWrite) {
        tpb->insertTag(&status, isc_tpb_wait);
        tpb->insertInt(&status, isc_tpb_lock_timeout, kLockTimeoutSeconds);
    }
    return std::vector<unsigned char>(tpb.Bytes(), tpb.Bytes() + tpb.Length());
}

const std::vector<unsigned char>& TransactionParametersOf(TransactionKind kind) {
    static const std::vector<unsigned char> readWrite =
        TransactionParameters(TransactionKind::ReadWrite);
    static const std::vector<unsigned char> readOnly =
        TransactionParameters(TransactionKind::ReadOnly);
    return kind == TransactionKind::ReadOnly ? readOnly : readWrite;
}

std::string FolderOfLocks() {
    const char* folder = std::getenv("FIREBIRD_LOCK");
    return folder != nullptr && *folder != '\0' ? folder : "/tmp/firebird";
}

// What keeps an embedded database from opening that a person can put right.
std::string EmbeddedHint(const FirebirdDatabase& database) {
    if (!database.embedded)
        return "";
    const std::string locks = FolderOfLocks();
    if (::access(locks.c_str(), R_OK | W_OK | X_OK) != 0) {
        return " (o Firebird embutido guarda as travas em " + locks +
               ", que este usuário não pode usar: inclua-o no grupo firebird)";
    }
    return "";
}

[[noreturn]] void FailToOpen(const FirebirdDatabase& database, const Firebird::FbException& failure,
                             bool passwordGiven) {
    const std::string reason = fb::FailureText(failure);
    if (fb::HasCode(failure, isc_login)) {
        if (!passwordGiven) {
            throw SignInRefused(SignInRefused::Reason::PasswordNeeded,
                                "O banco de dados pede uma senha.");
        }
        throw SignInRefused(SignInRefused::Reason::NotAccepted,
                            "O banco de dados não aceitou o usuário e a senha: " + reason);
    }
    throw Exception("Não foi possível abrir o banco de dados Firebird " + database.name + ": " +
                    reason + EmbeddedHint(database));
}

std::vector<unsigned char> AttachParameters(const FirebirdDatabase& database,
                                            const std::optional<Credentials>& credentials,
                                            bool create) {
    Parameters dpb(Firebird::IXpbBuilder::DPB);
    auto& status = dpb.Status();
    dpb->insertString(&status, isc_dpb_lc_ctype, "UTF8");
    dpb->insertInt(&status, isc_dpb_sql_dialect, kDialect);
    // Only the provider the name asks for: Firebird would otherwise fall back from a failed
    // embedded open to a server on this machine.
    dpb->insertString(&status, isc_dpb_config,
                      database.embedded ? "Providers = Engine12" : "Providers = Remote");
    if (!database.embedded)
        dpb->insertInt(&status, isc_dpb_connect_timeout, kConnectTimeoutSeconds);
    if (credentials) {
        if (!credentials->user.empty())
            dpb->insertString(&status, isc_dpb_user_name, credentials->user.c_str());
        dpb->insertString(&status, isc_dpb_password, credentials->password.c_str());
    }
    if (create) {
        dpb->insertString(&status, isc_dpb_set_db_charset, "UTF8");
        dpb->insertInt(&status, isc_dpb_page_size, 8192);
    }
    return std::vector<unsigned char>(dpb.Bytes(), dpb.Bytes() + dpb.Length());
}

Firebird::IAttachment* AttachOrCreate(const FirebirdDatabase& database,
                                      const std::optional<Credentials>& credentials,
                                      bool createIfMissing) {
    const fb::KeptSignalHandling keptSignals;
    Firebird::IProvider* provider = fb::Master()->getDispatcher();
    const auto attach = [&] {
        const auto dpb = AttachParameters(database, credentials, false);
        fb::Status status;
        return provider->attachDatabase(&status, database.name.c_str(),
                                        static_cast<unsigned>(dpb.size()), dpb.data());
    };
    const auto create = [&] {
        const auto dpb = AttachParameters(database, credentials, true);
        fb::Status status;
        return provider->createDatabase(&status, database.name.c_str(),
                                        static_cast<unsigned>(dpb.size()), dpb.data());
    };
    if (database.embedded) {
        std::error_code ignored;
        if (!std::filesystem::exists(database.name, ignored)) {
            if (!createIfMissing)
                throw Exception("Banco de dados não encontrado: " + database.name);
            return create();
        }
        return attach();
    }
    try {
        return attach();
    } catch (const Firebird::FbException& failure) {
        // A server only says it could not open the file; creating it tells whether it was
        // missing, and the first failure is the one to report otherwise.
        if (!createIfMissing || !fb::HasCode(failure, isc_io_error))
            throw;
        try {
            return create();
        } catch (const Firebird::FbException&) {
            throw failure;
        }
    }
}

// The user and password a server checked: those given, or those Firebird's client library took
// from ISC_USER and ISC_PASSWORD. An embedded database checks none.
std::optional<Credentials> Checked(const FirebirdDatabase& database,
                                   const std::optional<Credentials>& credentials) {
    if (database.embedded)
        return std::nullopt;
    if (credentials)
        return credentials;
    const char* password = std::getenv("ISC_PASSWORD");
    if (password == nullptr)
        return std::nullopt;
    const char* user = std::getenv("ISC_USER");
    return Credentials{user != nullptr ? user : "", password};
}

}  // namespace

std::shared_ptr<FbConnection> FbConnection::Open(const FirebirdDatabase& database,
                                                 const std::optional<Credentials>& credentials,
                                                 bool createIfMissing) {
    if (database.name.empty())
        throw Exception("Banco de dados Firebird não informado.");
    fb::Ref<Firebird::IAttachment> attachment;
    try {
        attachment = fb::Ref(AttachOrCreate(database, credentials, createIfMissing));
    } catch (const Firebird::FbException& failure) {
        FailToOpen(database, failure,
                   credentials.has_value() || std::getenv("ISC_PASSWORD") != nullptr);
    }
    std::shared_ptr<FbConnection> connection(new FbConnection(database, std::move(attachment)));
    connection->checkedCredentials_ = Checked(database, credentials);
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

fb::Ref<Firebird::ITransaction> FbConnection::StartStatementTransaction() {
    const auto& tpb = TransactionParametersOf(TransactionKind::ReadWrite);
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
        prepared->statement = fb::Ref(
            attachment_->prepare(&status, transaction, static_cast<unsigned>(text.size()),
                                 text.c_str(), kDialect, IStatement::PREPARE_PREFETCH_METADATA));
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
    if (deadline_ && std::chrono::steady_clock::now() >= *deadline_)
        throw QueryTimeout();
}

void FbConnection::Fail(const Firebird::FbException& failure, bool deadlineFired) {
    const bool lost = fb::MeansConnectionLost(failure);
    if (lost)
        broken_ = true;
    // A call the deadline ended: cancelled, or cut from a server that did not take the cancel.
    if (deadlineFired && (lost || fb::HasCode(failure, isc_cancelled)))
        throw QueryTimeout();
    throw Exception("Erro no banco de dados: " + fb::FailureText(failure));
}

}  // namespace hostfw
