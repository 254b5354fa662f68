#include "host/view/form_view.h"

#include <strings.h>

#include "host/view/control_views.h"
#include "host/view/screen_scale.h"

namespace hostfw::view {
namespace {

// The room the stored controls take, with the margin the window keeps on the right and below.
constexpr int kClientMargin = 4;

}  // namespace

FormView::FormView(TCustomForm& form, QWidget* parent) : QWidget(parent), form_(&form) {
    setObjectName(QString::fromStdString(form.Name()));
    Build(form, this);
    int right = 0;
    int bottom = 0;
    for (TControl* control : form.Controls()) {
        right = std::max(right, control->Left() + control->Width());
        bottom = std::max(bottom, control->Top() + control->Height());
    }
    clientSize_ = QSize(Scaled(right + kClientMargin), Scaled(bottom + kClientMargin));
    resize(clientSize_);
    ModelChanged();
}

FormView::~FormView() = default;

void FormView::Build(TWinControl& container, QWidget* parent) {
    for (TControl* control : container.Controls()) {
        ControlView* view = MakeControlView(*control, parent);
        if (view == nullptr)
            continue;
        views_[control] = view;
        if (auto* inner = dynamic_cast<TWinControl*>(control))
            Build(*inner, &view->Widget());
    }
}

void FormView::Detach() {
    form_ = nullptr;
    views_.clear();
}

ControlView* FormView::ViewOf(const TControl& control) const {
    const auto it = views_.find(&control);
    return it != views_.end() ? it->second : nullptr;
}

ControlView* FormView::ViewNamed(std::string_view name) const {
    for (const auto& [control, view] : views_) {
        if (control->Name().size() == name.size() &&
            strncasecmp(control->Name().c_str(), name.data(), name.size()) == 0)
            return view;
    }
    return nullptr;
}

void FormView::ModelChanged() {
    if (form_ == nullptr)
        return;
    for (const auto& [control, view] : views_)
        view->Refresh();
    if (const TWinControl* active = form_->ActiveControl()) {
        if (ControlView* view = ViewOf(*active))
            view->FocusWidget().setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace hostfw::view
