#include "host/view/control_views.h"

#include "host/controls/date_edit_plus.h"
#include "host/view/button_views.h"
#include "host/view/combo_view.h"
#include "host/view/container_views.h"
#include "host/view/date_edit_view.h"
#include "host/view/edit_view.h"
#include "host/view/label_view.h"
#include "host/view/speed_button_view.h"

namespace hostfw::view {
namespace {

// The date edits of the same parent, first and second in tab order: the form's date pair.
std::pair<TDateEditPlus*, TDateEditPlus*> DatePair(const TDateEditPlus& edit) {
    std::vector<TDateEditPlus*> dates;
    if (edit.Parent() != nullptr) {
        for (TWinControl* sibling : TabSequence(*edit.Parent())) {
            if (auto* date = dynamic_cast<TDateEditPlus*>(sibling))
                dates.push_back(date);
        }
    }
    if (dates.size() != 2)
        return {nullptr, nullptr};
    return {dates[0], dates[1]};
}

}  // namespace

ControlView* MakeControlView(TControl& control, QWidget* parent) {
    if (auto* date = dynamic_cast<TDateEditPlus*>(&control)) {
        const auto [first, second] = DatePair(*date);
        return new DateEditView(*date, first, second, parent);
    }
    if (auto* edit = dynamic_cast<TCustomEdit*>(&control))
        return new EditView(*edit, parent);
    if (auto* radio = dynamic_cast<TRadioButton*>(&control))
        return new RadioView(*radio, parent);
    if (auto* box = dynamic_cast<TCheckBox*>(&control))
        return new CheckView(*box, parent);
    if (auto* combo = dynamic_cast<TComboBox*>(&control))
        return new ComboView(*combo, parent);
    if (auto* group = dynamic_cast<TGroupBox*>(&control))
        return new GroupView(*group, parent);
    if (auto* panel = dynamic_cast<TPanel*>(&control))
        return new PanelView(*panel, parent);
    if (auto* bevel = dynamic_cast<TBevel*>(&control))
        return new BevelView(*bevel, parent);
    if (auto* label = dynamic_cast<TLabel*>(&control))
        return new LabelView(*label, parent);
    if (auto* button = dynamic_cast<TSpeedButton*>(&control))
        return new SpeedButtonView(*button, parent);
    if (auto* container = dynamic_cast<TWinControl*>(&control))
        return new ContainerView(*container, parent);
    return nullptr;
}

}  // namespace hostfw::view
