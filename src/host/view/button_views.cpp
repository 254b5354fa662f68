#include "host/view/button_views.h"

#include "host/ui/user_actions.h"
#include "host/view/model_events.h"

namespace hostfw::view {

void ClickControl(TControl& control) {
    RunUserAction([&] { UserActions::Click(control); });
}

}  // namespace hostfw::view
