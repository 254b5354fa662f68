#pragma once

#include <string>
#include <vector>

#include "host/ui/row_source.h"
#include "hostfw_export.h"

namespace hostfw {

class TDataSet;
class TField;

// The rows of a dataset as a picker shows them: its visible fields with their labels and
// widths, each cell the field's display text asked while its row is current (so a display
// hook reads the right row), the current row put back afterwards. Nothing is copied.
class HOSTFW_EXPORT DataSetRows : public RowSource {
public:
    // keyField "" gives every row an empty key.
    DataSetRows(TDataSet& dataSet, const std::string& keyField);

    const std::vector<GridColumn>& Columns() const override { return columns_; }
    std::size_t RowCount() const override;
    std::size_t KnownRowCount() const override;
    bool AllRowsKnown() const override;
    std::size_t ReadMoreRows(std::size_t count) const override;
    std::string Cell(std::size_t row, std::size_t column) const override;
    std::string Key(std::size_t row) const override;
    void AppendSearchText(std::size_t row, std::string& out) const override;
    // A query's rows are sorted by the database: the query runs again in the column's order.
    bool Reorders() const override;
    bool Reorder(std::optional<std::size_t> column, bool descending) const override;

private:
    TDataSet& dataSet_;
    std::vector<TField*> shown_;
    std::vector<GridColumn> columns_;
    TField* key_ = nullptr;
};

}  // namespace hostfw
