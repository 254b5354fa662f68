#include "host/view/form_view.h"

#include <strings.h>

#include <QKeyEvent>

#include "host/controls/btn_pesquisa.h"
#include "host/ui/user_actions.h"
#include "host/view/accessible_names.h"
#include "host/view/command_keys.h"
#include "host/view/control_views.h"
#include "host/view/screen_scale.h"
#include "host/view/shortcuts_dialog.h"
#include "host/view/speed_button_view.h"

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
        const QString name = AccessibleNameOf(*control);
        view->Widget().setAccessibleName(name);
        view->FocusWidget().setAccessibleName(name);
        if (auto* inner = dynamic_cast<TWinControl*>(control))
            Build(*inner, &view->Widget());
    }
}

void FormView::keyPressEvent(QKeyEvent* event) {
    const QKeyCombination key = event->keyCombination();
    if (form_ == nullptr) {
        QWidget::keyPressEvent(event);
        return;
    }
    if (key == keys::kShortcuts) {
        ShortcutsDialog(window()).exec();
    } else if (key == keys::kClose) {
        TCustomForm& form = *form_;
        RunUserAction([&] { UserActions::Close(form); });
    } else if (key == keys::kSearch) {
        if (!SearchFromFocusedControl())
            event->ignore();
    } else if (key == keys::kPreviewToo || key == (Qt::CTRL | Qt::Key_Enter)) {
        PressCommand(keys::kPreview);
    } else {
        QWidget::keyPressEvent(event);
    }
}

bool FormView::SearchFromFocusedControl() {
    const TWinControl* focused = form_->ActiveControl();
    if (focused == nullptr)
        return false;
    for (const auto& [control, view] : views_) {
        const auto* search = dynamic_cast<const TBtnPesquisa*>(control);
        if (search != nullptr && search->Associate() == focused) {
            if (auto* button = dynamic_cast<SpeedButtonView*>(view))
                button->Press();
            return true;
        }
    }
    return false;
}

bool FormView::PressCommand(QKeyCombination key) {
    for (const auto& [control, view] : views_) {
        if (CommandKeyOf(*control) == QKeySequence(key)) {
            if (auto* button = dynamic_cast<SpeedButtonView*>(view))
                button->Press();
            return true;
        }
    }
    return false;
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
