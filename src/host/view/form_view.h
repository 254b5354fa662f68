#pragma once

#include <QWidget>
#include <map>
#include <string_view>

#include "host/ui/form.h"
#include "host/view/control_view.h"
#include "host/view/model_events.h"
#include "hostfw_view_export.h"

namespace hostfw::view {

// What a form's window holds: a widget for every control of the stored definition at its
// place and size, and after every change what the model holds now, the focus included.
class HOSTFW_VIEW_EXPORT FormView : public QWidget, public ModelFollower {
public:
    explicit FormView(TCustomForm& form, QWidget* parent = nullptr);
    ~FormView() override;

    // Nullptr once the form is gone.
    TCustomForm* Form() const { return form_; }
    // The form is being freed: the view never reads it again.
    void Detach();
    ControlView* ViewOf(const TControl& control) const;
    // A control's view by name, letter case ignored.
    ControlView* ViewNamed(std::string_view name) const;
    // The area the stored controls take, as the form's client area.
    QSize ClientSize() const { return clientSize_; }

    void ModelChanged() override;

protected:
    // The form's own keys, for what no control took: the commands' (F5, Ctrl+P, ...), F3
    // searches from the field, Escape closes the window, F1 lists the keys.
    void keyPressEvent(QKeyEvent* event) override;
    // A click on what takes no focus (a label, a group, a disabled control, the background)
    // ends here, after Qt gave the focus to the window around the form: it goes back where the
    // form keeps it, as the same click leaves it in the model.
    void mousePressEvent(QMouseEvent* event) override;

private:
    void Build(TWinControl& container, QWidget* parent);
    // The widget of the form's active control takes the focus.
    void FocusActiveControl();
    // Alt+letter for each field's label, each group and each check box, in tab order.
    void AssignMnemonics();
    // The search button that serves the focused control, pressed; false when none does.
    bool SearchFromFocusedControl();
    // The command button whose key this is, pressed; false when none has it.
    bool PressCommand(QKeyCombination key);

    TCustomForm* form_;
    std::map<const TControl*, ControlView*> views_;
    QSize clientSize_;
};

}  // namespace hostfw::view
