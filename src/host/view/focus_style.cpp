#include "host/view/focus_style.h"

#include <QStyleOption>

namespace hostfw::view {
namespace {

// While it lives, the option says the keyboard brought the focus, when the widget has it. The
// option is the caller's own and only borrowed for one drawing, so it is marked and put back
// rather than copied (its real type is not known here).
class KeyboardFocusMark {
public:
    explicit KeyboardFocusMark(const QStyleOption* option)
        : option_(const_cast<QStyleOption*>(option)) {
        if (option_ == nullptr)
            return;
        saved_ = option_->state;
        if (saved_ & QStyle::State_HasFocus)
            option_->state |= QStyle::State_KeyboardFocusChange;
    }
    ~KeyboardFocusMark() {
        if (option_ != nullptr)
            option_->state = saved_;
    }
    KeyboardFocusMark(const KeyboardFocusMark&) = delete;
    KeyboardFocusMark& operator=(const KeyboardFocusMark&) = delete;

private:
    QStyleOption* option_;
    QStyle::State saved_;
};

}  // namespace

void FocusStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option,
                               QPainter* painter, const QWidget* widget) const {
    const KeyboardFocusMark mark(option);
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

void FocusStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                             const QWidget* widget) const {
    const KeyboardFocusMark mark(option);
    QProxyStyle::drawControl(element, option, painter, widget);
}

void FocusStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                    QPainter* painter, const QWidget* widget) const {
    const KeyboardFocusMark mark(option);
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

}  // namespace hostfw::view
