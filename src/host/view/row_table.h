#pragma once

#include <QLineEdit>
#include <QTableView>
#include <optional>

#include "host/view/row_source_model.h"
#include "hostfw_view_export.h"

namespace hostfw::view {

// The table and the filter box the list picker and the single-row search share: columns as
// wide as their headers, their fields' display widths and their first rows, uniform rows (so a
// million rows cost nothing to lay out), a click on a header sorting by it, the filter applied
// as the user types and ↓ or Enter going from it into the list.
class HOSTFW_VIEW_EXPORT RowTable : public QObject {
public:
    RowTable(QWidget& owner, RowSourceModel& model);
    QTableView& Table() { return *table_; }
    QLineEdit& FilterBox() { return *filter_; }
    // The source row of the current line; nullopt when there is none.
    std::optional<std::size_t> CurrentSourceRow() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void SizeColumns();

    RowSourceModel& model_;
    QTableView* table_;
    QLineEdit* filter_;
};

}  // namespace hostfw::view
