#include "host/view/container_views.h"

namespace hostfw::view {
namespace {

QFrame::Shadow PanelShadow(const TPanel& panel) {
    const auto& design = panel.DesignValues();
    const auto outer = design.find("BevelOuter");
    if (outer == design.end() || outer->second == "bvRaised")
        return QFrame::Raised;
    if (outer->second == "bvLowered")
        return QFrame::Sunken;
    return QFrame::Plain;
}

}  // namespace

GroupView::GroupView(TGroupBox& group, QWidget* parent)
    : QGroupBox(parent), ControlView(group, *this) {}

void GroupView::RefreshOwn() {
    setTitle(QString::fromStdString(Control().Caption()));
}

PanelView::PanelView(TPanel& panel, QWidget* parent) : QFrame(parent), ControlView(panel, *this) {
    const QFrame::Shadow shadow = PanelShadow(panel);
    setFrameShape(shadow == QFrame::Plain ? QFrame::NoFrame : QFrame::Panel);
    setFrameShadow(shadow);
}

BevelView::BevelView(TBevel& bevel, QWidget* parent) : QFrame(parent), ControlView(bevel, *this) {
    setFrameShape(QFrame::HLine);
    setFrameShadow(QFrame::Sunken);
}

ContainerView::ContainerView(TWinControl& container, QWidget* parent)
    : QWidget(parent), ControlView(container, *this) {}

}  // namespace hostfw::view
