#pragma once

#include <QLineEdit>
#include <QTableView>
#include <optional>

#include "host/view/row_source_model.h"

namespace hostfw::view {

// The table and the filter box the list picker and the single-row search share: columns as
// wide as their fields display, uniform rows (so a million rows cost nothing to lay out), the
// filter applied as the user types.
class RowTable {
public:
    RowTable(QWidget& owner, RowSourceModel& model);
    QTableView& Table() { return *table_; }
    QLineEdit& FilterBox() { return *filter_; }
    // The source row of the current line; nullopt when there is none.
    std::optional<std::size_t> CurrentSourceRow() const;

private:
    RowSourceModel& model_;
    QTableView* table_;
    QLineEdit* filter_;
};

}  // namespace hostfw::view
