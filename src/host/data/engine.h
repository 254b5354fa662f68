#pragma once

#include <chrono>
#include <memory>
#include <optional>
#include <stop_token>
#include <string>
#include <string_view>
#include <vector>

#include "host/core/exception.h"
#include "host/core/variant.h"
#include "host/data/params.h"
#include "hostfw_export.h"

namespace hostfw {

enum class EngineKind { SQLite, PostgreSQL, Firebird };

// What a person typed to sign in: a user (empty: the connection's own) and a password.
struct Credentials {
    std::string user;
    std::string password;
};

// When a connection gives up on a statement; nullopt: never.
using QueryDeadline = std::optional<std::chrono::steady_clock::time_point>;

// A statement the engine interrupted because it was still running at the connection's
// deadline. The connection stays usable.
class HOSTFW_EXPORT QueryTimeout : public Exception {
public:
    QueryTimeout();
    ~QueryTimeout() override;
};

// A statement the engine interrupted because whoever asked for it gave it up (the connection's
// stop token). The connection stays usable.
class HOSTFW_EXPORT QueryStopped : public Exception {
public:
    QueryStopped();
    ~QueryStopped() override;
};

// A forward-only result: rows are read one at a time, so memory stays bounded.
class HOSTFW_EXPORT Cursor {
public:
    virtual ~Cursor();
    virtual const std::vector<std::string>& ColumnNames() const = 0;
    // Moves to the next row; false when there is none.
    virtual bool Next() = 0;
    // The value of a column of the current row: String, Integer, Float or Null.
    virtual Variant Value(size_t column) const = 0;
};

// One database connection. Every value reaches SQL as a bound parameter: the statement
// names them ":P_NAME" and the engine binds them from the list (an unassigned or Null
// parameter binds NULL, a date binds as "yyyy-mm-dd hh:mm:ss" text, an empty string as a
// zero-length string). A parameter the statement declares but the list lacks binds NULL.
class HOSTFW_EXPORT Engine {
public:
    virtual ~Engine();
    virtual EngineKind Kind() const = 0;
    // True for a database file this process opens itself (SQLite, embedded Firebird): the
    // person's own, where no server decides who may do what.
    virtual bool Embedded() const { return false; }
    virtual std::unique_ptr<Cursor> Query(std::string_view sql, const TParams& params) = 0;
    // A query whose cursor may stay open, read a little at a time, while the connection runs
    // other statements: a long list shown before all of it is read. It runs in a read-only
    // transaction of its own, which holds nothing back from anyone. nullptr where the engine
    // cannot: one statement at a time on the link, or an explicit transaction under way whose
    // end would cut the reading short.
    virtual std::unique_ptr<Cursor> QueryAlongside(std::string_view /*sql*/,
                                                   const TParams& /*params*/) {
        return nullptr;
    }
    // Runs a statement that returns no rows; returns the rows changed.
    virtual long long Execute(std::string_view sql, const TParams& params) = 0;
    // Runs a script of several statements without parameters (schema creation).
    virtual void ExecuteScript(std::string_view sql) = 0;
    virtual void BeginTransaction() = 0;
    // Starts a transaction in which the connection only reads: a statement that would change
    // the database, attach a file or change a setting of the connection is refused, before it
    // runs. Report definitions are data anyone may edit, so their SQL runs in one. Ended by
    // Rollback (or Commit), which lifts the restriction.
    virtual void BeginReadOnlyTransaction() = 0;
    virtual void Commit() = 0;
    virtual void Rollback() = 0;
    // True once the link to a database server is lost (the server restarted, the session was
    // ended): nothing will work on this connection again and a new one must be opened.
    virtual bool IsBroken() const { return false; }
    // The user and password the database checked when this connection opened, wherever the
    // client library took the password from (given, PGPASSWORD or ISC_PASSWORD, the password
    // file, the connection string); nullopt when it asked for none.
    virtual std::optional<Credentials> CheckedCredentials() const { return std::nullopt; }
    // A statement still running at the deadline is interrupted in the database and raises
    // QueryTimeout. The deadline holds for every statement until another one is set.
    virtual void SetDeadline(QueryDeadline deadline) = 0;
    virtual QueryDeadline Deadline() const = 0;
    // A statement still running when a stop is asked through `stop`, from any thread, is
    // interrupted in the database as at the deadline and raises QueryStopped. Holds for every
    // statement until another token is set; an empty token stops nothing.
    virtual void SetStopToken(std::stop_token stop) = 0;
};

// True for a "postgresql://" or "postgres://" URI and for a libpq "key=value" string: what
// OpenDatabase opens on PostgreSQL rather than as a SQLite file.
HOSTFW_EXPORT bool IsPostgresConnection(const std::string& connection);

// The engine OpenDatabase opens a connection on: Firebird for what IsFirebirdConnection
// (fb_database_name.h) takes ("firebird:...", a name ending in ".fdb"), PostgreSQL for what
// IsPostgresConnection takes, SQLite for anything else.
HOSTFW_EXPORT EngineKind EngineOf(const std::string& connection);
// "SQLite", "PostgreSQL" or "Firebird", for a person to read.
HOSTFW_EXPORT const char* EngineName(EngineKind kind);

// Opens a database on the engine EngineOf names. A SQLite file, or an embedded Firebird
// database, must exist unless createIfMissing is true (a Firebird server creates it too).
// Failures raise an Exception with a clear Portuguese text.
HOSTFW_EXPORT std::shared_ptr<Engine> OpenDatabase(const std::string& connection,
                                                   bool createIfMissing = false);
// Opens a PostgreSQL or Firebird database as the person the credentials name, given to the
// client library apart from the connection string. SignInRefused when the server does not
// accept them.
HOSTFW_EXPORT std::shared_ptr<Engine> OpenDatabaseAs(const std::string& connection,
                                                     const Credentials& credentials);

}  // namespace hostfw
