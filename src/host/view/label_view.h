#pragma once

#include <QLabel>

#include "host/ui/std_controls.h"
#include "host/view/control_view.h"

namespace hostfw::view {

class LabelView : public QLabel, public ControlView {
public:
    LabelView(TLabel& label, QWidget* parent);
    std::string ShownText() const override { return text().toStdString(); }

protected:
    void RefreshOwn() override;

private:
    void FitCaption();
};

}  // namespace hostfw::view
