#include "host/view/date_edit_view.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QToolButton>
#include <algorithm>

#include "host/ui/user_actions.h"
#include "host/view/calendar_popup.h"
#include "host/view/command_keys.h"
#include "host/view/date_ranges.h"
#include "host/view/edit_view.h"
#include "host/view/model_events.h"
#include "host/view/screen_scale.h"

namespace hostfw::view {
namespace {

const QString kMask = QStringLiteral("__/__/____");

// Digits where the mask has places and slashes where it has slashes, not yet complete.
bool IsMaskPrefix(const QString& typed) {
    if (typed.size() >= kMask.size())
        return false;
    for (int i = 0; i < typed.size(); ++i) {
        if (kMask[i] == '/' ? typed[i] != '/' : !typed[i].isDigit())
            return false;
    }
    return true;
}

// The edit of a date: the rest of the mask drawn after what is typed, so the user sees what
// is still missing.
class MaskedEditView : public EditView {
public:
    using EditView::EditView;

protected:
    void paintEvent(QPaintEvent* event) override {
        EditView::paintEvent(event);
        const QString typed = text();
        if (!IsMaskPrefix(typed))
            return;
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::PlaceholderText));
        const QRect area = cursorRect();
        const int x = contentsRect().left() + textMargins().left() + 2 +
                      fontMetrics().horizontalAdvance(typed);
        painter.drawText(QRect(x, area.top(), width() - x, area.height()),
                         Qt::AlignLeft | Qt::AlignVCenter, kMask.mid(typed.size()));
    }
};

}  // namespace

DateEditView::DateEditView(TDateEditPlus& edit, TDateEditPlus* first, TDateEditPlus* second,
                           QWidget* parent)
    : QWidget(parent), ControlView(edit, *this), edit_(edit), first_(first), second_(second) {
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    text_ = new MaskedEditView(edit, this);
    text_->setObjectName(objectName() + QStringLiteral("_texto"));
    layout->addWidget(text_, 1);
    // The stored width holds the edit and its button, as the control drew them: one button,
    // whose menu also offers the ranges when the date is one of the form's pair.
    button_ = new QToolButton(this);
    button_->setObjectName(objectName() + QStringLiteral("_calendario"));
    button_->setText(QStringLiteral("…"));
    button_->setToolTip(WithKey(QStringLiteral("Calendário"), KeyText(keys::kCalendar)));
    button_->setAccessibleName(QStringLiteral("Calendário"));
    button_->setFocusPolicy(Qt::NoFocus);
    button_->setFixedWidth(std::max(Scaled(17), 12));
    text_->setMinimumWidth(0);
    layout->addWidget(button_);
    if (first_ == nullptr || second_ == nullptr) {
        connect(button_, &QToolButton::clicked, this, [this] { PickFromCalendar(); });
        return;
    }
    button_->setToolTip(QStringLiteral("Calendário (") + KeyText(keys::kCalendar) +
                        QStringLiteral(") e períodos (") + KeyText(keys::kSearch) +
                        QStringLiteral(")"));
    button_->setAccessibleName(QStringLiteral("Calendário e períodos"));
    button_->setPopupMode(QToolButton::InstantPopup);
    auto* menu = new QMenu(button_);
    menu->addAction(QStringLiteral("Calendário…"), this, [this] { PickFromCalendar(); });
    menu->addSeparator();
    for (const DateRange& range : DateRangesFrom(Now()))
        menu->addAction(range.name, this, [this, range] { FillPair(range.first, range.last); });
    button_->setMenu(menu);
}

void DateEditView::ShowCalendar() {
    if (edit_.IsUsable())
        PickFromCalendar();
}

void DateEditView::ShowPeriods() {
    if (!edit_.IsUsable())
        return;
    if (button_->menu() == nullptr) {
        PickFromCalendar();
        return;
    }
    // The periods alone: the calendar has its own key.
    QMenu* menu = button_->menu();
    menu->setActiveAction(menu->actions().value(2));
    menu->exec(button_->mapToGlobal(QPoint(0, button_->height())));
}

void DateEditView::keyPressEvent(QKeyEvent* event) {
    const QKeyCombination key = event->keyCombination();
    if (key == keys::kCalendar || key == keys::kCalendarToo)
        ShowCalendar();
    else if (key == keys::kSearch)
        ShowPeriods();
    else
        QWidget::keyPressEvent(event);
}

QWidget& DateEditView::FocusWidget() const {
    return *text_;
}

std::string DateEditView::ShownText() const {
    return text_->ShownText();
}

void DateEditView::RefreshOwn() {
    text_->Refresh();
}

void DateEditView::PickFromCalendar() {
    const QDate shown = QDate::fromString(QString::fromStdString(edit_.Text()), "dd/MM/yyyy");
    ShowCalendarPopup(*button_, shown, [this](const QDate& date) {
        RunUserAction([&] { UserActions::ReplaceText(edit_, DateText(date).toStdString()); });
    });
}

void DateEditView::FillPair(const QDate& first, const QDate& last) {
    RunUserAction([&] {
        // Each date is typed over as the user would; a check that keeps the focus on the
        // first one leaves the second as it was.
        UserActions::ReplaceText(*first_, DateText(first).toStdString());
        UserActions::ReplaceText(*second_, DateText(last).toStdString());
    });
}

}  // namespace hostfw::view
