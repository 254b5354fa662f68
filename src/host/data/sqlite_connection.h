#pragma once

#include <sqlite3.h>

#include <functional>
#include <memory>
#include <stop_token>
#include <string>
#include <string_view>
#include <unordered_map>

#include "host/data/engine.h"

namespace hostfw {

struct SqliteStatementFinalizer {
    void operator()(sqlite3_stmt* statement) const { sqlite3_finalize(statement); }
};
using SqliteStatementHandle = std::unique_ptr<sqlite3_stmt, SqliteStatementFinalizer>;

// One open SQLite database and the idle statements prepared on it, kept by their text so
// that a statement run again (every row of a bulk insert) is not compiled again. Engines and
// cursors share it, so a cursor stays valid after its engine is gone.
class SqliteConnection {
public:
    // Opens an existing file, or creates it when create is true. The path is always a file
    // name, never a "file:" URI.
    static std::shared_ptr<SqliteConnection> Open(const std::string& path, bool create);
    ~SqliteConnection();
    SqliteConnection(const SqliteConnection&) = delete;
    SqliteConnection& operator=(const SqliteConnection&) = delete;

    sqlite3* Handle() const { return db_; }

    // An idle prepared statement of this text, or a newly prepared one. A statement holds
    // exactly one SQL command. While the connection is read-only, a statement that is not a
    // pure read is refused here, before it can run.
    SqliteStatementHandle Take(std::string_view sql);
    // Returns a statement for reuse; it must be reset with its bindings cleared.
    void GiveBack(std::string_view sql, SqliteStatementHandle statement);

    // Runs commands without parameters or rows.
    void Exec(const char* sql);

    void SetDeadline(QueryDeadline deadline) { deadline_ = deadline; }
    QueryDeadline Deadline() const { return deadline_; }
    // The progress handler looks at it too: a stop asked from any thread interrupts the
    // statement running.
    void SetStopToken(std::stop_token stop) { stop_ = std::move(stop); }

    // Lets statements only read (SELECT and the functions it calls) or lifts that again.
    void SetReadOnly(bool readOnly);

    // Raises the connection's last error; QueryTimeout when the deadline interrupted it,
    // QueryStopped when a stop did.
    [[noreturn]] void Fail() const;

private:
    explicit SqliteConnection(sqlite3* db) : db_(db) {}
    static int InterruptWhenDue(void* connection);
    SqliteStatementHandle Prepare(std::string_view sql);

    struct TextHash : std::hash<std::string_view> {
        using is_transparent = void;
    };
    sqlite3* db_;
    QueryDeadline deadline_;
    std::stop_token stop_;
    bool readOnly_ = false;
    std::unordered_map<std::string, SqliteStatementHandle, TextHash, std::equal_to<>> idle_;
};

}  // namespace hostfw
