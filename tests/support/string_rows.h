#pragma once

#include <string>
#include <vector>

#include "host/ui/row_source.h"

namespace testsupport {

// Rows for a picker from plain strings: the first column is also the key.
class StringRows : public hostfw::RowSource {
public:
    explicit StringRows(std::vector<std::vector<std::string>> rows,
                        std::vector<hostfw::GridColumn> columns = {{"Código", 0}})
        : rows_(std::move(rows)), columns_(std::move(columns)) {}

    // One column of keys.
    static StringRows Keys(const std::vector<std::string>& keys) {
        std::vector<std::vector<std::string>> rows;
        for (const std::string& key : keys)
            rows.push_back({key});
        return StringRows(std::move(rows));
    }

    const std::vector<hostfw::GridColumn>& Columns() const override { return columns_; }
    size_t RowCount() const override { return rows_.size(); }
    std::string Cell(size_t row, size_t column) const override { return rows_[row][column]; }
    std::string Key(size_t row) const override { return rows_[row][0]; }

private:
    std::vector<std::vector<std::string>> rows_;
    std::vector<hostfw::GridColumn> columns_;
};

}  // namespace testsupport
