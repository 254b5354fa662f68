#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "host/data/engine.h"
#include "host/data/fb_connection.h"
#include "host/data/fb_row_layout.h"
#include "host/data/fb_run.h"

namespace hostfw {

// Rows of one Firebird statement, fetched as they are read (the client library brings them
// over in batches). A statement without a cursor (RETURNING, EXECUTE PROCEDURE) gives its one
// row of outputs. Outside an explicit transaction the statement's own transaction is committed
// once the rows are all read or the cursor goes.
class FbCursor final : public Cursor, private FbTransactionReader {
public:
    // Runs the statement; its failure raises here, not on reading. Outside an explicit
    // transaction the statement's own is of the kind `own`.
    FbCursor(std::shared_ptr<FbConnection> connection, std::string_view sql, const TParams& params,
             TransactionKind own = TransactionKind::ReadWrite);
    ~FbCursor() override;
    FbCursor(const FbCursor&) = delete;
    FbCursor& operator=(const FbCursor&) = delete;

    const std::vector<std::string>& ColumnNames() const override { return layout_.Names(); }
    bool Next() override;
    Variant Value(size_t column) const override;

private:
    void TransactionEnding() override;
    // Reads the next row into row_; false at the end.
    bool Fetch();
    // Closes the cursor and ends the statement's own transaction.
    void Close();

    // SingleRow: a row is in row_ for the first Next (fetched ahead, or a statement's outputs).
    enum class State { Open, SingleRow, Done, TransactionEnded };
    FbRun run_;
    FbRowLayout layout_;
    fb::Ref<Firebird::IResultSet> rows_;
    std::vector<unsigned char> row_;
    State state_ = State::Open;
    bool onRow_ = false;
};

}  // namespace hostfw
