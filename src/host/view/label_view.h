#pragma once

#include <QLabel>

#include "host/ui/std_controls.h"
#include "host/view/control_view.h"

namespace hostfw::view {

class LabelView : public QLabel, public ControlView {
public:
    LabelView(TLabel& label, QWidget* parent);
    std::string ShownText() const override;
    void SetMnemonic(int place, TWinControl& target) override;

protected:
    void RefreshOwn() override;
    bool event(QEvent* event) override;

private:
    void FitCaption();

    int mnemonic_ = -1;
    TWinControl* target_ = nullptr;
};

}  // namespace hostfw::view
