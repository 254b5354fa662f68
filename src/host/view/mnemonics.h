#pragma once

#include <QString>
#include <QStringList>
#include <vector>

#include "host/ui/control.h"
#include "hostfw_view_export.h"

namespace hostfw::view {

// The letter of each caption that Alt+letter takes the person to, different for every
// caption and from the `reserved` ones (the menus'), a word's first letter where it can:
// its place in the caption, or -1 when no letter is left.
HOSTFW_VIEW_EXPORT std::vector<int> MnemonicPlaces(const QStringList& captions,
                                                   const QString& reserved);

// A caption with its mnemonic marked as Qt draws it underlined ("&Filial"); a "&" of the
// caption itself is doubled so it shows as one.
HOSTFW_VIEW_EXPORT QString WithMnemonic(const QString& caption, int place);
// The caption as shown, without the marks.
HOSTFW_VIEW_EXPORT QString WithoutMnemonic(const QString& text);

// Alt+letter: the focus to `target` through the form's rules, and, for a check box, a click.
void GoToMnemonicTarget(TWinControl& target, bool click);

}  // namespace hostfw::view
