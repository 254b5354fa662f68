#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "hostfw_export.h"

namespace hostfw {

// A column of rows offered to the user: its caption and display width in characters (0
// when the field has none).
struct GridColumn {
    std::string caption;
    int width = 0;
};

// Rows offered to the user in a picker, read only when asked for: a million rows cost no copy.
class HOSTFW_EXPORT RowSource {
public:
    virtual ~RowSource();
    virtual const std::vector<GridColumn>& Columns() const = 0;
    // Every row; a source that reads its rows as they are asked for reads them all first.
    virtual std::size_t RowCount() const = 0;
    // The rows at hand without reading more: a picker shows these first, and ReadMoreRows brings
    // up to `count` more and returns how many came (0: none are left).
    virtual std::size_t KnownRowCount() const { return RowCount(); }
    virtual bool AllRowsKnown() const { return true; }
    virtual std::size_t ReadMoreRows(std::size_t /*count*/) const { return 0; }
    // A cell as its field displays it.
    virtual std::string Cell(std::size_t row, std::size_t column) const = 0;
    // The row's key, blanks trimmed.
    virtual std::string Key(std::size_t row) const = 0;
    // What a filter looks through: the key and every cell as shown, each ended by a line break,
    // appended to `out`. A source that reads a row in one go does it faster than cell by cell.
    virtual void AppendSearchText(std::size_t row, std::string& out) const;

    // Whether Reorder can put the rows in a column's order where they come from (a database
    // query run again in that order), so that a sort reads nothing of them into memory.
    virtual bool Reorders() const { return false; }
    // Puts the rows in a column's order, ascending or descending, where they come from; nullopt:
    // in their own order again. Row numbers change, and so may their count (the database may
    // have changed meanwhile). False when the source could not: its rows are then in their own
    // order, for the caller to sort.
    virtual bool Reorder(std::optional<std::size_t> column, bool descending) const;
};

// The first row whose key is `key`; nullopt when there is none.
HOSTFW_EXPORT std::optional<std::size_t> FindRowOfKey(const RowSource& rows,
                                                      const std::string& key);

}  // namespace hostfw
