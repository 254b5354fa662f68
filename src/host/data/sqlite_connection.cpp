#include "host/data/sqlite_connection.h"

#include <climits>

#include "host/core/exception.h"
#include "host/data/transaction.h"

namespace hostfw {
namespace {

constexpr int kBusyTimeoutMs = 5000;
// Enough for every statement of a report and of the server; beyond that, statements are
// finalized instead of kept.
constexpr size_t kMaxIdleStatements = 64;
// How many virtual-machine steps run between two looks at the clock: often enough to stop
// within a millisecond or so, rarely enough to cost nothing.
constexpr int kStepsBetweenDeadlineChecks = 1000;

std::string ErrorText(const char* detail) {
    return std::string("Erro no banco de dados: ") + detail;
}

// Every action a pure read needs; anything else (writing, ATTACH, PRAGMA, transactions)
// fails to compile while the connection is read-only.
int AllowReadsOnly(void*, int action, const char*, const char*, const char*, const char*) {
    switch (action) {
        case SQLITE_SELECT:
        case SQLITE_READ:
        case SQLITE_FUNCTION:
        case SQLITE_RECURSIVE:
            return SQLITE_OK;
        default:
            return SQLITE_DENY;
    }
}

// With URI file names enabled, a name starting with "file:" would be read as a URI.
std::string LiteralFileName(const std::string& path) {
    return path.rfind("file:", 0) == 0 ? "./" + path : path;
}

}  // namespace

std::shared_ptr<SqliteConnection> SqliteConnection::Open(const std::string& path, bool create) {
    const int flags = SQLITE_OPEN_READWRITE | (create ? SQLITE_OPEN_CREATE : 0);
    sqlite3* db = nullptr;
    const int rc = sqlite3_open_v2(LiteralFileName(path).c_str(), &db, flags, nullptr);
    // Owned from here on, so a failure below closes the handle.
    std::shared_ptr<SqliteConnection> connection(new SqliteConnection(db));
    const auto openError = [&](const char* reason) {
        return Exception("Não foi possível abrir o banco de dados " + path + ": " + reason);
    };
    if (db == nullptr)
        throw openError(sqlite3_errstr(rc));
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    sqlite3_progress_handler(db, kStepsBetweenDeadlineChecks, &InterruptWhenDue, connection.get());
    // Reading the schema reads the file header, so a file that is not a database fails here
    // and not on the first query.
    if (rc != SQLITE_OK ||
        sqlite3_exec(db, "PRAGMA foreign_keys = ON; SELECT 1 FROM sqlite_master LIMIT 1", nullptr,
                     nullptr, nullptr) != SQLITE_OK) {
        throw openError(sqlite3_errmsg(db));
    }
    return connection;
}

SqliteConnection::~SqliteConnection() {
    idle_.clear();
    sqlite3_close(db_);
}

SqliteStatementHandle SqliteConnection::Take(std::string_view sql) {
    // A statement compiled earlier never met the authorizer: compile afresh while read-only.
    const auto found = readOnly_ ? idle_.end() : idle_.find(sql);
    if (found != idle_.end()) {
        SqliteStatementHandle statement = std::move(found->second);
        idle_.erase(found);
        return statement;
    }
    SqliteStatementHandle statement = Prepare(sql);
    if (readOnly_ && sqlite3_stmt_readonly(statement.get()) == 0)
        throw ReadOnlyRefusal();
    return statement;
}

SqliteStatementHandle SqliteConnection::Prepare(std::string_view sql) {
    if (sql.size() > static_cast<size_t>(INT_MAX))
        throw Exception(ErrorText("comando muito longo"));
    sqlite3_stmt* raw = nullptr;
    const char* tail = nullptr;
    if (sqlite3_prepare_v2(db_, sql.data(), static_cast<int>(sql.size()), &raw, &tail) !=
        SQLITE_OK) {
        Fail();
    }
    SqliteStatementHandle statement(raw);
    if (!statement)
        throw Exception(ErrorText("comando SQL vazio"));
    // Only the first command would run; refuse rather than silently drop the rest.
    const auto rest = static_cast<int>(sql.data() + sql.size() - tail);
    sqlite3_stmt* next = nullptr;
    if (sqlite3_prepare_v2(db_, tail, rest, &next, nullptr) != SQLITE_OK)
        Fail();
    if (next != nullptr) {
        sqlite3_finalize(next);
        throw Exception(ErrorText("envie um comando SQL por vez"));
    }
    return statement;
}

void SqliteConnection::GiveBack(std::string_view sql, SqliteStatementHandle statement) {
    if (idle_.size() < kMaxIdleStatements)
        idle_.try_emplace(std::string(sql), std::move(statement));
}

void SqliteConnection::Exec(const char* sql) {
    if (sqlite3_exec(db_, sql, nullptr, nullptr, nullptr) != SQLITE_OK)
        Fail();
}

int SqliteConnection::InterruptWhenDue(void* connection) {
    const auto& self = *static_cast<SqliteConnection*>(connection);
    const QueryDeadline& deadline = self.deadline_;
    const bool late = deadline && std::chrono::steady_clock::now() >= *deadline;
    return late || self.stop_.stop_requested() ? 1 : 0;
}

void SqliteConnection::SetReadOnly(bool readOnly) {
    readOnly_ = readOnly;
    sqlite3_set_authorizer(db_, readOnly ? AllowReadsOnly : nullptr, nullptr);
}

void SqliteConnection::Fail() const {
    if (sqlite3_errcode(db_) == SQLITE_INTERRUPT) {
        if (stop_.stop_requested())
            throw QueryStopped();
        throw QueryTimeout();
    }
    if (sqlite3_errcode(db_) == SQLITE_AUTH)
        throw ReadOnlyRefusal();
    throw Exception(ErrorText(sqlite3_errmsg(db_)));
}

}  // namespace hostfw
