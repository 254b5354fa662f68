#pragma once

#include <QWidget>

#include "host/controls/date_edit_plus.h"
#include "host/view/control_view.h"

class QToolButton;

namespace hostfw::view {

class EditView;

// A date edit: the edit itself (typed through the control's key path, the part of the
// dd/mm/yyyy mask still to type shown faintly) and a button for the calendar and, on the
// form's pair of dates, a menu of ranges that fills both. A date picked either way is written as if
// typed over the old one, so the date checks run as usual.
class DateEditView : public QWidget, public ControlView {
public:
    // `pair` holds the first and second date edits of the control's group; nullptr when the
    // control has no partner.
    DateEditView(TDateEditPlus& edit, TDateEditPlus* first, TDateEditPlus* second, QWidget* parent);
    QWidget& FocusWidget() const override;
    std::string ShownText() const override;

    // The calendar under the edit; the menu of periods on the form's pair (the calendar alone
    // elsewhere).
    void ShowCalendar();
    void ShowPeriods();

protected:
    void RefreshOwn() override;
    // F4 or Alt+Down opens the calendar, F3 the periods, from the edit.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void PickFromCalendar();
    void FillPair(const QDate& first, const QDate& last);

    TDateEditPlus& edit_;
    TDateEditPlus* first_;
    TDateEditPlus* second_;
    EditView* text_ = nullptr;
    QToolButton* button_ = nullptr;
};

}  // namespace hostfw::view
