#include "host/view/speed_button_accessible.h"

#include "host/view/speed_button_view.h"

namespace hostfw::view {

SpeedButtonAccessible::SpeedButtonAccessible(SpeedButtonView& button)
    : QAccessibleWidget(&button, QAccessible::Button), button_(button) {}

QStringList SpeedButtonAccessible::actionNames() const {
    return {pressAction()};
}

void SpeedButtonAccessible::doAction(const QString& actionName) {
    // A disabled button ignores it, as it ignores clicks.
    if (actionName == pressAction() && button_.isEnabled())
        button_.Press();
}

QStringList SpeedButtonAccessible::keyBindingsForAction(const QString& actionName) const {
    if (actionName != pressAction() || button_.KeyBinding().isEmpty())
        return {};
    return {button_.KeyBinding()};
}

QString SpeedButtonAccessible::text(QAccessible::Text kind) const {
    if (kind == QAccessible::Accelerator)
        return button_.KeyBinding();
    if (kind == QAccessible::Description)
        return button_.toolTip();
    return QAccessibleWidget::text(kind);
}

QAccessibleInterface* ViewAccessibleFactory(const QString& className, QObject* object) {
    if (auto* button = dynamic_cast<SpeedButtonView*>(object))
        return new SpeedButtonAccessible(*button);
    // A plain widget that is a window of its own (the preview, a form's own window) is a
    // window to assistive technology, not a filler.
    auto* widget = qobject_cast<QWidget*>(object);
    if (widget != nullptr && widget->isWindow() && className == QLatin1String("QWidget"))
        return new QAccessibleWidget(widget, QAccessible::Window);
    return nullptr;
}

}  // namespace hostfw::view
