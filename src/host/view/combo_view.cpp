#include "host/view/combo_view.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include "host/ui/user_actions.h"
#include "host/view/model_events.h"

namespace hostfw::view {

ComboView::ComboView(TComboBox& combo, QWidget* parent)
    : QComboBox(parent), ControlView(combo, *this), combo_(combo) {
    TakeFocusFromTheForm(*this);
    connect(this, &QComboBox::activated, this, [this](int index) { Choose(index); });
}

void ComboView::RefreshOwn() {
    const QSignalBlocker quiet(this);
    QStringList items;
    for (const std::string& item : combo_.Items())
        items << QString::fromStdString(item);
    QStringList shown;
    for (int i = 0; i < count(); ++i)
        shown << itemText(i);
    if (shown != items) {
        clear();
        addItems(items);
    }
    setCurrentIndex(combo_.ItemIndex());
}

void ComboView::Choose(int index) {
    RunUserAction([&] { UserActions::Select(combo_, index); });
}

bool ComboView::event(QEvent* event) {
    if (event->type() == QEvent::KeyPress && RouteFocusKey(combo_, *static_cast<QKeyEvent*>(event)))
        return true;
    return QComboBox::event(event);
}

void ComboView::mousePressEvent(QMouseEvent* event) {
    RouteFocusClick(combo_);
    if (combo_.Focused())
        QComboBox::mousePressEvent(event);
}

void ComboView::keyPressEvent(QKeyEvent* event) {
    const int current = combo_.ItemIndex();
    const int last = static_cast<int>(combo_.Items().size()) - 1;
    if (event->key() == Qt::Key_Down && current < last)
        Choose(current + 1);
    else if (event->key() == Qt::Key_Up && current > 0)
        Choose(current - 1);
    else if (event->key() == Qt::Key_F4 ||
             (event->key() == Qt::Key_Down && (event->modifiers() & Qt::AltModifier)))
        showPopup();
    else if (!RouteCharacterKey(combo_, *event))
        event->ignore();
}

void ComboView::wheelEvent(QWheelEvent* event) {
    // Scrolling over a list must not change the report behind the user's back.
    event->ignore();
}

}  // namespace hostfw::view
