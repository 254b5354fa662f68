#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "host/core/variant.h"
#include "host/report/opened_report.h"

namespace hostfw {

// What a layout does at each step of the rows of a report. Each step gets the row's values,
// then its group's {count} and {total} (the footer: the group's last row and its totals).
class GroupedRowsHandler {
public:
    virtual ~GroupedRowsHandler() = default;
    virtual void GroupStarts(std::span<const Variant> row) = 0;
    virtual void Row(std::span<const Variant> row) = 0;
    virtual void GroupEnds(std::span<const Variant> lastRow) = 0;
};

// Reads the rows of an opened report one at a time and tells the handler where groups start
// and end (rows that share the value of the definition's group field), adding up the counts
// and the amounts in whole cents. Without a group field no group step is taken.
class GroupedRows {
public:
    // Raises a definition error when the group or amount field is not a column of the query.
    GroupedRows(const ReportDefinition& definition, OpenedReport& report);
    // Takes the next row to the handler (with the end of the group before it and the start of
    // its own), or after the last row the end of the last group; false once nothing is left.
    bool Step(GroupedRowsHandler& handler);

    std::int64_t Count() const { return count_; }
    std::int64_t Cents() const { return cents_; }

private:
    OpenedReport& report_;
    std::optional<std::size_t> groupColumn_;
    std::optional<std::size_t> amountColumn_;
    std::size_t columnCount_;
    std::vector<Variant> row_;      // the current row, then the group's count and total
    std::vector<Variant> lastRow_;  // the previous row, for the footer of its group
    std::int64_t groupCount_ = 0;
    std::int64_t groupCents_ = 0;
    std::int64_t count_ = 0;
    std::int64_t cents_ = 0;
    bool done_ = false;
};

}  // namespace hostfw
