#include "host/view/calendar_popup.h"

#include <QCalendarWidget>
#include <QLocale>
#include <QMenu>
#include <QTimer>
#include <QWidgetAction>

namespace hostfw::view {

void ShowCalendarPopup(QWidget& anchor, const QDate& shown,
                       const std::function<void(const QDate&)>& chosen) {
    QMenu popup(&anchor);
    auto* calendar = new QCalendarWidget(&popup);
    calendar->setLocale(QLocale(QLocale::Portuguese, QLocale::Brazil));
    calendar->setFirstDayOfWeek(Qt::Sunday);
    calendar->setSelectedDate(shown.isValid() ? shown : QDate::currentDate());
    auto* action = new QWidgetAction(&popup);
    action->setDefaultWidget(calendar);
    popup.addAction(action);
    QDate picked;
    // A day clicked, or reached with the arrows and taken with Enter.
    const auto take = [&](const QDate& date) {
        picked = date;
        popup.close();
    };
    QObject::connect(calendar, &QCalendarWidget::clicked, &popup, take);
    QObject::connect(calendar, &QCalendarWidget::activated, &popup, take);
    calendar->setAccessibleName(QStringLiteral("Calendário"));
    QTimer::singleShot(0, calendar, [calendar] { calendar->setFocus(Qt::PopupFocusReason); });
    popup.exec(anchor.mapToGlobal(QPoint(0, anchor.height())));
    if (picked.isValid())
        chosen(picked);
}

}  // namespace hostfw::view
