#pragma once

#include <QString>

class QWidget;

namespace host {

// Text typed on the keyboard into a widget: one real key event (press and release) carrying
// each character, for any Latin-1 character (Qt's test helpers know only ASCII keys).
void TypeCharacters(QWidget& widget, const QString& text);

}  // namespace host
