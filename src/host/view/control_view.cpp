#include "host/view/control_view.h"

#include <QKeyEvent>

#include "host/ui/user_actions.h"
#include "host/view/color_mapping.h"
#include "host/view/font_mapping.h"
#include "host/view/model_events.h"
#include "host/view/screen_scale.h"

namespace hostfw::view {

ControlView::ControlView(TControl& control, QWidget& widget) : control_(control), widget_(widget) {
    widget_.setObjectName(QString::fromStdString(control.Name()));
    widget_.setGeometry(Scaled(control.Left()), Scaled(control.Top()), Scaled(control.Width()),
                        Scaled(control.Height()));
    widget_.setFont(ScreenFont(control.Font()));
    // The stored colours dress the enabled control only: disabled, it looks as the style draws
    // every disabled control, so nobody takes it for one that can be typed into or ticked.
    QPalette palette = widget_.palette();
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        if (const auto background = ScreenColor(control.Color(), palette)) {
            palette.setColor(group, QPalette::Base, *background);
            palette.setColor(group, QPalette::Window, *background);
        }
        if (const auto text = ScreenColor(control.Font().color, palette)) {
            palette.setColor(group, QPalette::Text, *text);
            palette.setColor(group, QPalette::WindowText, *text);
        }
    }
    widget_.setPalette(palette);
}

ControlView::~ControlView() = default;

void ControlView::Refresh() {
    widget_.setVisible(control_.Visible());
    widget_.setEnabled(control_.Enabled());
    widget_.setToolTip(ToolTipText());
    RefreshOwn();
}

QString ControlView::ToolTipText() const {
    return control_.ShowHint() ? QString::fromStdString(control_.Hint()) : QString();
}

bool RouteFocusKey(TWinControl& control, const QKeyEvent& event) {
    const bool forward = event.key() == Qt::Key_Tab && !(event.modifiers() & Qt::ShiftModifier);
    const bool backward = event.key() == Qt::Key_Backtab ||
                          (event.key() == Qt::Key_Tab && (event.modifiers() & Qt::ShiftModifier));
    if (!forward && !backward)
        return false;
    RunUserAction([&] { UserActions::Tab(control, forward); });
    return true;
}

bool RouteCharacterKey(TWinControl& control, const QKeyEvent& event) {
    // Escape and Ctrl+key are the window's commands (close, print, ...), not characters.
    if (event.key() == Qt::Key_Escape || (event.modifiers() & Qt::ControlModifier))
        return false;
    unsigned char code = 0;
    if (event.key() == Qt::Key_Backspace)
        code = 8;
    else if (event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter)
        code = 13;
    else if (event.text().size() == 1 && event.text().at(0).unicode() <= 0xFF)
        code = static_cast<unsigned char>(event.text().at(0).unicode());
    if (code == 0)
        return false;
    RunUserAction([&] { UserActions::PressKey(control, code); });
    return true;
}

void TakeFocusFromTheForm(QWidget& widget) {
    // Assistive technology learns from the policy that it takes the focus; the Tab key and
    // clicks still go to the form, which decides (the views catch them first).
    widget.setFocusPolicy(Qt::TabFocus);
}

void RouteFocusClick(TWinControl& control) {
    if (!control.Focused())
        RunUserAction([&] { UserActions::Focus(control); });
}

}  // namespace hostfw::view
