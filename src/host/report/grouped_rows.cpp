#include "host/report/grouped_rows.h"

#include "host/report/amount.h"
#include "host/report/definition_bands.h"

namespace hostfw {

GroupedRows::GroupedRows(const ReportDefinition& definition, OpenedReport& report)
    : report_(report),
      amountColumn_(
          FindResultColumn(definition, report.rowNames, definition.amountField, "amountField")),
      columnCount_(report.rows->ColumnNames().size()),
      row_(columnCount_ + 2) {
    if (definition.group) {
        groupColumn_ =
            FindResultColumn(definition, report.rowNames, definition.group->field, "group.field");
    }
}

bool GroupedRows::Step(GroupedRowsHandler& handler) {
    if (done_)
        return false;
    if (!report_.NextRow()) {
        done_ = true;
        if (count_ > 0 && groupColumn_)
            handler.GroupEnds(lastRow_);
        return false;
    }
    for (std::size_t i = 0; i < columnCount_; ++i)
        row_[i] = report_.rows->Value(i);
    if (groupColumn_ && (count_ == 0 || row_[*groupColumn_] != lastRow_[*groupColumn_])) {
        if (count_ > 0)
            handler.GroupEnds(lastRow_);
        groupCount_ = 0;
        groupCents_ = 0;
        row_[columnCount_] = Variant(0);
        row_[columnCount_ + 1] = Variant(CentsToDecimal(0));
        handler.GroupStarts(row_);
    }
    const std::int64_t cents = amountColumn_ ? AmountInCents(row_[*amountColumn_]) : 0;
    ++groupCount_;
    groupCents_ += cents;
    ++count_;
    cents_ += cents;
    row_[columnCount_] = Variant(groupCount_);
    row_[columnCount_ + 1] = Variant(CentsToDecimal(groupCents_));
    handler.Row(row_);
    std::swap(row_, lastRow_);
    row_.resize(columnCount_ + 2);
    return true;
}

}  // namespace hostfw
