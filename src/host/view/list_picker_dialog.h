#pragma once

#include <QDialog>
#include <optional>
#include <vector>

#include "host/ui/host_dialogs.h"
#include "host/view/row_source_model.h"
#include "host/view/row_table.h"
#include "hostfw_view_export.h"

class QLabel;
class QPushButton;

namespace hostfw::view {

// The list picker: the title and hint of the request, a table with a check column and the
// grid's columns, the current list's rows marked, a filter box that narrows the rows by any
// column, "Marcar todos" / "Desmarcar todos" on the rows shown, a count of marked rows, OK and
// Cancelar (Escape); the space bar toggles the current row.
class HOSTFW_VIEW_EXPORT ListPickerDialog : public QDialog {
public:
    ListPickerDialog(const ListPickRequest& request, QWidget* parent);

    RowSourceModel& Model() { return model_; }
    RowTable& Rows() { return table_; }
    QPushButton& MarkAllButton() { return *markAll_; }
    QPushButton& ClearAllButton() { return *clearAll_; }
    QPushButton& OkButton() { return *ok_; }
    QLabel& CountLabel() { return *count_; }
    // The marked rows when confirmed; nullopt when cancelled.
    std::optional<std::vector<std::size_t>> Result() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowCount();

    RowSourceModel model_;
    RowTable table_;
    QPushButton* markAll_;
    QPushButton* clearAll_;
    QPushButton* ok_;
    QLabel* count_;
};

}  // namespace hostfw::view
