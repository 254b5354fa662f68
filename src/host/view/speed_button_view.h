#pragma once

#include <QToolButton>

#include "host/ui/std_controls.h"
#include "host/view/control_view.h"

class QLabel;

namespace hostfw::view {

// A speed button (the command buttons, the search buttons): it never takes the focus, so a
// click runs no exit event; a disabled one ignores clicks. A stored glyph is drawn on it. A
// command button is pressed by its key (F5, Ctrl+P, ...) from anywhere in the form, a search
// button by F3 from the field it serves; a search button shows, beside it, how many rows its
// list holds once its picker was shown.
class HOSTFW_VIEW_EXPORT SpeedButtonView : public QToolButton, public ControlView {
public:
    SpeedButtonView(TSpeedButton& button, QWidget* parent);
    std::string ShownText() const override { return text().toStdString(); }
    // The key that presses it, as assistive technology announces it ("F5"); empty for none.
    const QString& KeyBinding() const { return keyBinding_; }
    // Clicks the button as its key does: a picker it opens counts for it.
    void Press();
    // The count beside a search button; nullptr for any other.
    QLabel* CountLabel() const { return count_; }

protected:
    void RefreshOwn() override;
    QString ToolTipText() const override;

private:
    QString keyBinding_;
    QLabel* count_ = nullptr;
};

}  // namespace hostfw::view
