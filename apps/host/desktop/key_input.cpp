#include "desktop/key_input.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWidget>

namespace host {

void TypeCharacters(QWidget& widget, const QString& text) {
    for (const QChar character : text) {
        const QString one(character);
        QKeyEvent press(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, one);
        QApplication::sendEvent(&widget, &press);
        QKeyEvent release(QEvent::KeyRelease, Qt::Key_unknown, Qt::NoModifier, one);
        QApplication::sendEvent(&widget, &release);
    }
}

}  // namespace host
