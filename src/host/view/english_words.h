#pragma once

#include <QString>
#include <QStringList>

#include "hostfw_view_export.h"

class QWidget;

namespace hostfw::view {

// English words a person could meet on this product's windows if a text escaped translation:
// Qt's standard buttons and dialogs, and the stable lines a script's transcript keeps
// ("printed:", "cancelled:"). Each found in `text` as a whole word, once.
HOSTFW_VIEW_EXPORT QStringList EnglishWords(const QString& text);

// The same over everything a window shows: its title, captions, buttons, headers, items,
// hints typed in faded letters, tool tips and menus. "object: word" for each.
HOSTFW_VIEW_EXPORT QStringList EnglishWordsOn(const QWidget& window);

}  // namespace hostfw::view
