#pragma once

#include <QAccessibleWidget>

#include "hostfw_view_export.h"

namespace hostfw::view {

class SpeedButtonView;

// A speed button as assistive technology sees it: a button named by its caption or its hint
// and title, pressed as a click would, with its key as its key binding (F3 for a search from
// its field, which Qt's own button description cannot say).
class SpeedButtonAccessible : public QAccessibleWidget {
public:
    explicit SpeedButtonAccessible(SpeedButtonView& button);

    QStringList actionNames() const override;
    void doAction(const QString& actionName) override;
    QStringList keyBindingsForAction(const QString& actionName) const override;
    QString text(QAccessible::Text kind) const override;

private:
    SpeedButtonView& button_;
};

// The factory Qt asks for a widget's description, for the speed buttons and the windows that
// are plain widgets: installed once by SetUpDesktop.
HOSTFW_VIEW_EXPORT QAccessibleInterface* ViewAccessibleFactory(const QString& className,
                                                               QObject* object);

}  // namespace hostfw::view
