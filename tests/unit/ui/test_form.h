#pragma once

#include <string>

#include "host/ui/form.h"

namespace uitest {

// A bare form for toolkit tests; controls are added to it with add().
class TestForm : public hostfw::TForm {
public:
    using hostfw::TForm::TForm;
    std::string ClassName() const override { return "TTestForm"; }

    // A control of type T owned by this form, inside parent (the form itself by default).
    template <class T>
    T& Add(const std::string& name, hostfw::TWinControl* parent = nullptr, int tabOrder = -1) {
        auto* control = new T(this);
        control->SetName(name);
        control->SetParent(parent != nullptr ? parent : this);
        if constexpr (std::is_base_of_v<hostfw::TWinControl, T>) {
            if (tabOrder >= 0)
                control->SetTabOrder(tabOrder);
        }
        return *control;
    }
};

}  // namespace uitest
