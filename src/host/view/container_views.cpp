#include "host/view/container_views.h"

#include <QEvent>

#include "host/view/mnemonics.h"

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
    const QString caption = QString::fromStdString(Control().Caption());
    setTitle(target_ != nullptr ? WithMnemonic(caption, mnemonic_) : caption);
}

std::string GroupView::ShownText() const {
    return WithoutMnemonic(title()).toStdString();
}

void GroupView::SetMnemonic(int place, TWinControl& target) {
    mnemonic_ = place;
    target_ = &target;
    RefreshOwn();
}

bool GroupView::event(QEvent* event) {
    if (event->type() == QEvent::Shortcut && target_ != nullptr) {
        GoToMnemonicTarget(*target_, false);
        return true;
    }
    // A click on the group is the form's, as on any place that takes no focus.
    if (event->type() == QEvent::MouseButtonPress) {
        event->ignore();
        return false;
    }
    return QGroupBox::event(event);
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
