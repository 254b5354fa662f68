#include "host/ui/row_source.h"

namespace hostfw {

RowSource::~RowSource() = default;

void RowSource::AppendSearchText(std::size_t row, std::string& out) const {
    out += Key(row);
    out += '\n';
    for (std::size_t column = 0; column < Columns().size(); ++column) {
        out += Cell(row, column);
        out += '\n';
    }
}

bool RowSource::Reorder(std::optional<std::size_t> /*column*/, bool /*descending*/) const {
    return false;
}

std::optional<std::size_t> FindRowOfKey(const RowSource& rows, const std::string& key) {
    for (std::size_t row = 0; row < rows.RowCount(); ++row) {
        if (rows.Key(row) == key)
            return row;
    }
    return std::nullopt;
}

}  // namespace hostfw
