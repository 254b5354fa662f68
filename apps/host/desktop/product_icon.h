#pragma once

#include <QIcon>

namespace host {

// The product's own icon (a report page under a magnifying glass), at every size it was
// rendered in, for the windows and the task bar.
QIcon ProductIcon();

}  // namespace host
