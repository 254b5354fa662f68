#include "host/view/button_views.h"

#include <algorithm>

#include "host/ui/user_actions.h"
#include "host/view/model_events.h"

namespace hostfw::view {

void ClickControl(TControl& control) {
    RunUserAction([&] { UserActions::Click(control); });
}

bool MoveInGroup(TButtonControl& control, const QKeyEvent& event) {
    const bool back = event.key() == Qt::Key_Up || event.key() == Qt::Key_Left;
    const bool ahead = event.key() == Qt::Key_Down || event.key() == Qt::Key_Right;
    if ((!back && !ahead) || dynamic_cast<TRadioButton*>(&control) == nullptr ||
        control.Parent() == nullptr || event.modifiers() != Qt::NoModifier)
        return false;
    std::vector<TRadioButton*> radios;
    for (TWinControl* sibling : TabSequence(*control.Parent())) {
        if (auto* radio = dynamic_cast<TRadioButton*>(sibling);
            radio != nullptr && radio->Parent() == control.Parent())
            radios.push_back(radio);
    }
    const auto at = std::find(radios.begin(), radios.end(), &control);
    if (at == radios.end() || radios.size() < 2)
        return true;
    // Round the group, as a person expects.
    const std::size_t index = static_cast<std::size_t>(at - radios.begin());
    TRadioButton& next = *radios[(index + (ahead ? 1 : radios.size() - 1)) % radios.size()];
    RunUserAction([&] {
        UserActions::Focus(next);
        if (next.Focused())
            UserActions::Click(next);
    });
    return true;
}

}  // namespace hostfw::view
