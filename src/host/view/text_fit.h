#pragma once

#include <QString>
#include <QStringList>

#include "hostfw_view_export.h"

class QWidget;

namespace hostfw::view {

// The texts cut on a window as it is laid out now: a caption, a title, a header or a cell
// whose text needs more room than its widget gives it, each as "object: text". Hidden widgets
// are left out; a text that scrolls (a field being typed into) is not a cut.
HOSTFW_VIEW_EXPORT QStringList CutTexts(const QWidget& window);

// The least width a window needs for the window manager to show its whole title beside its
// buttons.
HOSTFW_VIEW_EXPORT int TitleWidth(const QWidget& window);

}  // namespace hostfw::view
