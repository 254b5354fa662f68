#pragma once

#include <string>
#include <vector>

#include "host/data/engine.h"

namespace dbtest {

using Row = std::vector<std::string>;

// Every row of a query, each value as text ("<null>" for NULL).
inline std::vector<Row> RowsOf(hostfw::Engine& engine, const std::string& sql) {
    std::vector<Row> rows;
    auto cursor = engine.Query(sql, {});
    while (cursor->Next()) {
        Row row;
        for (size_t c = 0; c < cursor->ColumnNames().size(); ++c) {
            const hostfw::Variant value = cursor->Value(c);
            row.push_back(value.IsNull() ? "<null>" : value.AsString());
        }
        rows.push_back(std::move(row));
    }
    return rows;
}

}  // namespace dbtest
