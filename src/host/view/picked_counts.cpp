#include "host/view/picked_counts.h"

#include <map>
#include <string>

#include "host/ui/form.h"

namespace hostfw::view {
namespace {

const TControl* opener = nullptr;

std::map<std::string, std::size_t>& Counts() {
    static std::map<std::string, std::size_t> counts;
    return counts;
}

std::string KeyOf(const TControl& button) {
    const TCustomForm* form = GetParentForm(button);
    return (form != nullptr ? form->Name() : std::string()) + "." + button.Name();
}

}  // namespace

PickerOpener::PickerOpener(const TControl& button) : previous_(opener) {
    opener = &button;
}

PickerOpener::~PickerOpener() {
    opener = previous_;
}

void CountPicked(std::size_t count) {
    if (opener != nullptr)
        Counts()[KeyOf(*opener)] = count;
}

std::optional<std::size_t> PickedCount(const TControl& button) {
    const auto it = Counts().find(KeyOf(button));
    if (it == Counts().end())
        return std::nullopt;
    return it->second;
}

}  // namespace hostfw::view
