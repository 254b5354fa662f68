#include "host/data/sqlite_cursor.h"

#include "host/core/exception.h"

namespace hostfw {

SqliteCursor::SqliteCursor(std::unique_ptr<SqliteStatement> statement, bool hasFirstRow)
    : statement_(std::move(statement)), firstRowPending_(hasFirstRow) {
    for (int column = 0; column < statement_->ColumnCount(); ++column) {
        columnNames_.push_back(statement_->ColumnName(column));
    }
}

bool SqliteCursor::Next() {
    if (firstRowPending_) {
        firstRowPending_ = false;
        onRow_ = true;
    } else {
        onRow_ = statement_->Step();
    }
    return onRow_;
}

Variant SqliteCursor::Value(size_t column) const {
    if (!onRow_)
        throw Exception("Erro no banco de dados: não há registro corrente");
    if (column >= columnNames_.size()) {
        throw Exception("Erro no banco de dados: coluna " + std::to_string(column) +
                        " inexistente");
    }
    return statement_->ColumnValue(static_cast<int>(column));
}

}  // namespace hostfw
