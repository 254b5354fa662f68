#pragma once

#include <QDialog>
#include <optional>

#include "host/ui/host_dialogs.h"
#include "host/view/row_source_model.h"
#include "host/view/row_table.h"
#include "hostfw_view_export.h"

namespace hostfw::view {

// The single-row search: the same table with one row chosen at a time and the same filter;
// Enter or a double click chooses the current row, Escape cancels.
class HOSTFW_VIEW_EXPORT RowSearchDialog : public QDialog {
public:
    RowSearchDialog(const RowSearchRequest& request, QWidget* parent);
    RowTable& Rows() { return table_; }
    RowSourceModel& Model() { return model_; }
    // The chosen source row; nullopt when cancelled.
    std::optional<std::size_t> Result() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    RowSourceModel model_;
    RowTable table_;
    std::optional<std::size_t> chosen_;
};

}  // namespace hostfw::view
