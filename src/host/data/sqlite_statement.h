#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "host/core/variant.h"
#include "host/data/params.h"
#include "host/data/sqlite_connection.h"

namespace hostfw {

// A prepared statement borrowed from its connection for one run; it goes back to the
// connection, reset and unbound, when the run ends.
class SqliteStatement {
public:
    SqliteStatement(std::shared_ptr<SqliteConnection> connection, std::string_view sql);
    ~SqliteStatement();
    SqliteStatement(const SqliteStatement&) = delete;
    SqliteStatement& operator=(const SqliteStatement&) = delete;

    // Binds every parameter of the statement from the list, by name without regard to case;
    // a name the list lacks, or an unassigned or Null value, binds NULL.
    void Bind(const TParams& params);
    // Moves to the next row; false when the statement is done. Never steps past the end,
    // where SQLite would run the statement again.
    bool Step();

    int ColumnCount() const { return sqlite3_column_count(statement_.get()); }
    std::string ColumnName(int column) const;
    Variant ColumnValue(int column) const;
    bool IsReadOnly() const { return sqlite3_stmt_readonly(statement_.get()) != 0; }

private:
    void BindValue(int index, const Variant& value);

    std::shared_ptr<SqliteConnection> connection_;
    std::string sql_;
    SqliteStatementHandle statement_;
    bool done_ = false;
};

}  // namespace hostfw
