#pragma once

#include <QProxyStyle>

#include "hostfw_view_export.h"

namespace hostfw::view {

// The application's style with the focus always drawn: styles show a focus frame only after
// the keyboard moved the focus, but here the form moves it (a refused field takes it back, a
// message leaves it somewhere), and the person must see where it went whatever the last
// input was. Everything else is the style's own.
class HOSTFW_VIEW_EXPORT FocusStyle : public QProxyStyle {
public:
    using QProxyStyle::QProxyStyle;

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget = nullptr) const override;
    void drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                     const QWidget* widget = nullptr) const override;
    void drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                            QPainter* painter, const QWidget* widget = nullptr) const override;
};

}  // namespace hostfw::view
