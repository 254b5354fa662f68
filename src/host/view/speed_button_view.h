#pragma once

#include <QToolButton>

#include "host/ui/std_controls.h"
#include "host/view/control_view.h"

namespace hostfw::view {

// A speed button (the command buttons, the search buttons): it never takes the focus, so a
// click runs no exit event; a disabled one ignores clicks. A stored glyph is drawn on it.
class SpeedButtonView : public QToolButton, public ControlView {
public:
    SpeedButtonView(TSpeedButton& button, QWidget* parent);
    std::string ShownText() const override { return text().toStdString(); }

protected:
    void RefreshOwn() override;
};

}  // namespace hostfw::view
