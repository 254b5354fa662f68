#pragma once

#include <cstddef>
#include <optional>

#include "host/ui/control.h"
#include "hostfw_view_export.h"

namespace hostfw::view {

// How many rows the list of each search button holds, as its picker last left it, so the form
// shows it beside the button without opening the picker. A form's lists outlive its window
// (the module keeps them), so the counts are kept by form and button name, not by window.

// While it lives, a list picker that opens is `button`'s.
class HOSTFW_VIEW_EXPORT PickerOpener {
public:
    explicit PickerOpener(const TControl& button);
    ~PickerOpener();
    PickerOpener(const PickerOpener&) = delete;
    PickerOpener& operator=(const PickerOpener&) = delete;

private:
    const TControl* previous_;
};

// The list of the picker on screen holds `count` rows now: at its opening the current list,
// after a confirmation the new one. Nothing when no search button opened it.
HOSTFW_VIEW_EXPORT void CountPicked(std::size_t count);

// The rows in `button`'s list; nothing before its picker was ever shown.
HOSTFW_VIEW_EXPORT std::optional<std::size_t> PickedCount(const TControl& button);

}  // namespace hostfw::view
