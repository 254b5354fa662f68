#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "host/ui/row_source.h"
#include "hostfw_view_export.h"

namespace hostfw::view {

// A cell as a sort compares it: a number written as people write them ("1000", "1.234,56",
// "-3") or a date ("31/12/2026", with or without its time) as its value, so 2 comes before 10
// and January before February; nothing for any other text.
HOSTFW_VIEW_EXPORT std::optional<double> SortValue(std::string_view cell);

// The source rows in the order of a column's cells, ascending or descending, rows of equal
// cells in their source order. The column sorts by value when every cell that is not blank has
// one, and as text otherwise (letter case and accents ignored). Only the column is read, one
// cell at a time, into one block of text; the rows themselves stay where they are.
HOSTFW_VIEW_EXPORT std::vector<std::uint32_t> SortedRows(const RowSource& rows, std::size_t column,
                                                         bool descending);

}  // namespace hostfw::view
