#pragma once

#include <deque>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/data/engine.h"
#include "host/data/pg_connection.h"

namespace hostfw {

// Rows of one PostgreSQL statement, received one at a time as they are read.
class PgCursor final : public Cursor, private PgRowReader {
public:
    // Runs the statement; its failure raises here, not on reading.
    PgCursor(std::shared_ptr<PgConnection> connection, std::string_view sql, const TParams& params);
    ~PgCursor() override;
    PgCursor(const PgCursor&) = delete;
    PgCursor& operator=(const PgCursor&) = delete;

    const std::vector<std::string>& ColumnNames() const override { return columnNames_; }
    bool Next() override;
    Variant Value(size_t column) const override;

private:
    void BufferRemainingRows() override;
    PgResult Receive();
    PgResult Pull();
    // Takes a result in as the current one; a failure discards the rest and raises.
    void Accept(PgResult result);

    std::shared_ptr<PgConnection> connection_;
    bool receiving_ = true;
    std::deque<PgResult> buffered_;
    PgResult current_;
    int row_ = -1;
    std::vector<std::string> columnNames_;
    std::vector<Oid> columnTypes_;
};

}  // namespace hostfw
