#include "host/data/pg_connection.h"

#include <poll.h>

#include <algorithm>
#include <optional>
#include <vector>

#include "host/core/exception.h"
#include "host/data/nul_parameter.h"
#include "host/data/sign_in_refused.h"
#include "host/data/sql_parameters.h"
#include "host/data/sql_value_text.h"

namespace hostfw {
namespace {

// Without a limit, connecting to a host that does not answer would wait forever; a
// connection string may still set its own.
constexpr const char* kConnectTimeoutSeconds = "10";

std::string WithoutTrailingBlanks(std::string text) {
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    return text;
}

void IgnoreNotice(void*, const char*) {}

// SQLSTATE of a statement the server cancelled.
constexpr std::string_view kQueryCanceled = "57014";
constexpr std::chrono::milliseconds kCancelRepeat{100};

// The statement as the server takes it, and its parameter values as text, in $n order.
class ServerStatement {
public:
    ServerStatement(std::string_view sql, const TParams& params) : text_(NumberedParameters(sql)) {
        for (const std::string& name : DeclaredParameters(sql, EngineKind::PostgreSQL)) {
            const TParam* param = params.FindParam(name);
            values_.push_back(param != nullptr ? SqlParameterText(param->Value()) : std::nullopt);
            // libpq takes values as C strings: the text would silently end at the NUL.
            if (values_.back())
                RefuseNul(name, *values_.back());
        }
        for (const auto& value : values_)
            pointers_.push_back(value ? value->c_str() : nullptr);
    }
    const char* Text() const { return text_.c_str(); }
    int Count() const { return static_cast<int>(pointers_.size()); }
    const char* const* Values() const { return pointers_.data(); }

private:
    std::string text_;
    std::vector<std::optional<std::string>> values_;
    std::vector<const char*> pointers_;
};

}  // namespace

std::shared_ptr<PgConnection> PgConnection::Connect(const std::string& connection,
                                                    const std::optional<Credentials>& credentials) {
    // Entries before the expanded dbname give way to what the connection string says; the
    // credentials come after it and win.
    std::vector<const char*> keywords = {"connect_timeout", "client_encoding", "dbname"};
    std::vector<const char*> values = {kConnectTimeoutSeconds, "UTF8", connection.c_str()};
    if (credentials) {
        if (!credentials->user.empty()) {
            keywords.push_back("user");
            values.push_back(credentials->user.c_str());
        }
        keywords.push_back("password");
        values.push_back(credentials->password.c_str());
    }
    keywords.push_back(nullptr);
    values.push_back(nullptr);
    std::shared_ptr<PgConnection> owned(
        new PgConnection(PQconnectdbParams(keywords.data(), values.data(), 1)));
    if (owned->connection_ == nullptr)
        throw Exception(
            "Não foi possível conectar ao banco de dados PostgreSQL: memória insuficiente");
    if (PQstatus(owned->connection_) != CONNECTION_OK) {
        const std::string reason = WithoutTrailingBlanks(PQerrorMessage(owned->connection_));
        if (PQconnectionNeedsPassword(owned->connection_)) {
            throw SignInRefused(SignInRefused::Reason::PasswordNeeded,
                                "O banco de dados pede uma senha.");
        }
        if (PQconnectionUsedPassword(owned->connection_)) {
            throw SignInRefused(SignInRefused::Reason::NotAccepted,
                                "O banco de dados não aceitou o usuário e a senha: " + reason);
        }
        throw Exception("Não foi possível conectar ao banco de dados PostgreSQL: " + reason);
    }
    // Notices ("no transaction in progress", ...) are not failures; keep them off stderr.
    PQsetNoticeProcessor(owned->connection_, IgnoreNotice, nullptr);
    // The checks of a report's SQL read a backslash in '...' as a plain character, as the server
    // does unless a configuration says otherwise: say it for this connection.
    const char* standardStrings =
        PQparameterStatus(owned->connection_, "standard_conforming_strings");
    if (standardStrings == nullptr || std::string_view(standardStrings) != "on")
        owned->Run("SET standard_conforming_strings = on", TParams());
    return owned;
}

PgConnection::~PgConnection() {
    PQfinish(connection_);
}

std::optional<Credentials> PgConnection::CheckedCredentials() const {
    if (!PQconnectionUsedPassword(connection_))
        return std::nullopt;
    const char* user = PQuser(connection_);
    const char* password = PQpass(connection_);
    return Credentials{user ? user : "", password ? password : ""};
}

PgResult PgConnection::Run(std::string_view sql, const TParams& params) {
    MakeIdle();
    const ServerStatement statement(sql, params);
    cancelled_ = false;
    if (PQsendQueryParams(connection_, statement.Text(), statement.Count(), nullptr,
                          statement.Values(), nullptr, nullptr, 0) == 0) {
        Fail(nullptr);
    }
    return LastResult();
}

PgResult PgConnection::RunScript(std::string_view sql) {
    MakeIdle();
    cancelled_ = false;
    if (PQsendQuery(connection_, std::string(sql).c_str()) == 0)
        Fail(nullptr);
    return LastResult();
}

PgResult PgConnection::LastResult() {
    PgResult last;
    PgResult failure;
    while (true) {
        AwaitResult();
        PgResult result(PQgetResult(connection_));
        if (!result)
            break;
        const ExecStatusType status = PQresultStatus(result.get());
        if (status != PGRES_COMMAND_OK && status != PGRES_TUPLES_OK && !failure)
            failure = std::move(result);
        else
            last = std::move(result);
    }
    if (failure || !last)
        Fail(failure.get());
    return last;
}

void PgConnection::AwaitResult() {
    const bool stoppable = stop_.stop_possible();
    if (!deadline_ && !stoppable)
        return;
    while (PQisBusy(connection_) != 0) {
        auto left = deadline_ ? std::chrono::ceil<std::chrono::milliseconds>(
                                    *deadline_ - std::chrono::steady_clock::now())
                              : kCancelRepeat;
        // A stop comes from another thread and wakes nothing here: it is looked for this often.
        if (stoppable)
            left = std::min(left, kCancelRepeat);
        if (left.count() <= 0 || stop_.stop_requested()) {
            // The server drops a cancel request that comes before the statement has started:
            // ask again until the statement ends.
            Cancel();
            left = kCancelRepeat;
        }
        pollfd socket{PQsocket(connection_), POLLIN, 0};
        const auto waitMs = static_cast<int>(std::min<long long>(left.count(), 60'000));
        // A failure to read leaves the connection broken; PQgetResult then reports it.
        if (poll(&socket, 1, waitMs) < 0 || PQconsumeInput(connection_) == 0)
            return;
    }
}

void PgConnection::Cancel() {
    cancelled_ = true;
    PGcancel* request = PQgetCancel(connection_);
    if (request == nullptr)
        return;
    char error[256];
    PQcancel(request, error, sizeof error);
    PQfreeCancel(request);
}

bool PgConnection::InTransaction() {
    MakeIdle();
    const PGTransactionStatusType status = PQtransactionStatus(connection_);
    return status == PQTRANS_INTRANS || status == PQTRANS_INERROR;
}

void PgConnection::StartRows(std::string_view sql, const TParams& params, PgRowReader& reader) {
    MakeIdle();
    const ServerStatement statement(sql, params);
    if (PQsendQueryParams(connection_, statement.Text(), statement.Count(), nullptr,
                          statement.Values(), nullptr, nullptr, 0) == 0) {
        Fail(nullptr);
    }
    // Rows then arrive one per result, so a large result never sits whole in memory. Should
    // the mode be refused, the rows come in one result and are read all the same.
    PQsetSingleRowMode(connection_);
    reader_ = &reader;
    cancelled_ = false;
}

PgResult PgConnection::NextResult() {
    AwaitResult();
    PgResult result(PQgetResult(connection_));
    if (!result)
        reader_ = nullptr;
    return result;
}

void PgConnection::Fail(const PGresult* result) const {
    const char* state = result != nullptr ? PQresultErrorField(result, PG_DIAG_SQLSTATE) : nullptr;
    if (cancelled_ && state != nullptr && state == kQueryCanceled) {
        if (stop_.stop_requested())
            throw QueryStopped();
        throw QueryTimeout();
    }
    std::string text;
    if (const char* primary =
            result != nullptr ? PQresultErrorField(result, PG_DIAG_MESSAGE_PRIMARY) : nullptr) {
        text = primary;
        if (const char* detail = PQresultErrorField(result, PG_DIAG_MESSAGE_DETAIL)) {
            text += std::string(" (") + detail + ")";
        }
    } else {
        text = WithoutTrailingBlanks(PQerrorMessage(connection_));
    }
    throw Exception("Erro no banco de dados: " + text);
}

void PgConnection::MakeIdle() {
    if (reader_ != nullptr)
        reader_->BufferRemainingRows();
}

bool PgConnection::IsBroken() const {
    return PQstatus(connection_) == CONNECTION_BAD;
}

std::string PgConnection::EncryptPassword(const std::string& password, const std::string& role) {
    char* encrypted =
        PQencryptPasswordConn(connection_, password.c_str(), role.c_str(), "scram-sha-256");
    if (encrypted == nullptr) {
        throw Exception("Não foi possível cifrar a senha: " +
                        WithoutTrailingBlanks(PQerrorMessage(connection_)));
    }
    std::string text(encrypted);
    PQfreemem(encrypted);
    return text;
}

}  // namespace hostfw
