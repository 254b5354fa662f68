#pragma once

#include <QDate>
#include <functional>

class QWidget;

namespace hostfw::view {

// A month calendar popping up under `anchor`, starting at `shown`; a day clicked is handed
// to `chosen` and the popup closes. Escape closes it without a choice.
void ShowCalendarPopup(QWidget& anchor, const QDate& shown,
                       const std::function<void(const QDate&)>& chosen);

}  // namespace hostfw::view
