#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

#include "host/core/variant.h"
#include "hostfw_export.h"

namespace hostfw {

// The rows of a dataset, each encoded as its cells one after another in large blocks, so a
// row costs its text and a few bytes rather than a vector of variants: a million clients fit
// in tens of megabytes. Rows are appended whole and read cell by cell.
class HOSTFW_EXPORT RowStore {
public:
    RowStore();
    ~RowStore();
    RowStore(RowStore&&) noexcept;
    RowStore& operator=(RowStore&&) noexcept;
    RowStore(const RowStore&) = delete;
    RowStore& operator=(const RowStore&) = delete;

    void Clear();
    std::size_t RowCount() const { return rowStarts_.size(); }
    // Appends a row of `columns` cells, each asked from `cell`.
    template <class CellOf>
    void AddRow(std::size_t columns, CellOf&& cell) {
        scratch_.clear();
        for (std::size_t c = 0; c < columns; ++c)
            Encode(cell(c));
        CommitRow();
    }
    // The cell of a row; Null past the row's last cell.
    Variant Value(std::size_t row, std::size_t column) const;

private:
    void Encode(const Variant& value);
    void CommitRow();
    std::size_t RowEnd(std::size_t row) const;

    struct Block;
    std::vector<std::unique_ptr<Block>> blocks_;
    std::vector<std::uint64_t> rowStarts_;  // block index in the high bits, offset in the low
    std::vector<char> scratch_;             // the row being encoded
};

}  // namespace hostfw
