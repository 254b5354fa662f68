#include "host/data/sqlite_engine.h"

#include <filesystem>

#include "host/core/exception.h"
#include "host/data/sqlite_cursor.h"
#include "host/data/sqlite_statement.h"

namespace hostfw {

std::shared_ptr<Engine> SqliteEngine::Open(const std::string& path, bool createIfMissing) {
    std::error_code ignored;
    if (!createIfMissing && !std::filesystem::exists(path, ignored)) {
        throw Exception("Banco de dados não encontrado: " + path);
    }
    return std::shared_ptr<Engine>(new SqliteEngine(SqliteConnection::Open(path, createIfMissing)));
}

std::unique_ptr<Cursor> SqliteEngine::Query(std::string_view sql, const TParams& params) {
    auto statement = std::make_unique<SqliteStatement>(connection_, sql);
    statement->Bind(params);
    // The first step runs the statement, so its errors surface here and not on reading.
    const bool hasFirstRow = statement->Step();
    return std::make_unique<SqliteCursor>(std::move(statement), hasFirstRow);
}

long long SqliteEngine::Execute(std::string_view sql, const TParams& params) {
    SqliteStatement statement(connection_, sql);
    statement.Bind(params);
    while (statement.Step()) {
    }
    return statement.IsReadOnly() ? 0 : sqlite3_changes64(connection_->Handle());
}

void SqliteEngine::ExecuteScript(std::string_view sql) {
    // A savepoint works inside and outside a transaction alike.
    connection_->Exec("SAVEPOINT exp036_script");
    try {
        const std::string script(sql);
        connection_->Exec(script.c_str());
    } catch (...) {
        sqlite3_exec(connection_->Handle(), "ROLLBACK TO exp036_script; RELEASE exp036_script",
                     nullptr, nullptr, nullptr);
        throw;
    }
    connection_->Exec("RELEASE exp036_script");
}

void SqliteEngine::BeginTransaction() {
    connection_->Exec("BEGIN");
}

void SqliteEngine::BeginReadOnlyTransaction() {
    connection_->Exec("BEGIN");
    connection_->SetReadOnly(true);
}

void SqliteEngine::Commit() {
    connection_->SetReadOnly(false);
    connection_->Exec("COMMIT");
}

void SqliteEngine::Rollback() {
    connection_->SetReadOnly(false);
    if (sqlite3_get_autocommit(connection_->Handle()) == 0)
        connection_->Exec("ROLLBACK");
}

}  // namespace hostfw
