#pragma once

#include <memory>
#include <string>
#include <vector>

#include "host/data/engine.h"
#include "host/data/sqlite_statement.h"

namespace hostfw {

// Rows of one SQLite statement, stepped as they are read.
class SqliteCursor final : public Cursor {
public:
    // The statement has been bound and stepped once; hasFirstRow is what that step gave.
    SqliteCursor(std::unique_ptr<SqliteStatement> statement, bool hasFirstRow);

    const std::vector<std::string>& ColumnNames() const override { return columnNames_; }
    bool Next() override;
    Variant Value(size_t column) const override;

private:
    std::unique_ptr<SqliteStatement> statement_;
    std::vector<std::string> columnNames_;
    bool firstRowPending_;
    bool onRow_ = false;
};

}  // namespace hostfw
