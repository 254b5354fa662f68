#include "host/view/form_view.h"

#include <strings.h>

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QMouseEvent>
#include <algorithm>

#include "host/controls/btn_pesquisa.h"
#include "host/ui/std_controls.h"
#include "host/ui/user_actions.h"
#include "host/view/accessible_names.h"
#include "host/view/command_keys.h"
#include "host/view/control_views.h"
#include "host/view/mnemonics.h"
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
    AssignMnemonics();
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

namespace {

// What a mnemonic is put on and where it takes the focus.
struct MnemonicOwner {
    const TControl* captioned;
    TWinControl* target;
};

// The controls that take the focus under a container, in tab order, depth first, whether or
// not they can take it now (a box disabled at first keeps its letter for later).
void FocusKinds(const TWinControl& container, std::vector<TWinControl*>& out) {
    std::vector<TWinControl*> children;
    for (TControl* control : container.Controls()) {
        if (auto* win = dynamic_cast<TWinControl*>(control))
            children.push_back(win);
    }
    std::stable_sort(
        children.begin(), children.end(),
        [](const TWinControl* a, const TWinControl* b) { return a->TabOrder() < b->TabOrder(); });
    for (TWinControl* child : children) {
        if (child->AcceptsFocus())
            out.push_back(child);
        FocusKinds(*child, out);
    }
}

// The letters the application's menus took already (Alt+R opens "Relatórios").
QString MenuMnemonics() {
    QString letters;
    for (QWidget* top : QApplication::topLevelWidgets()) {
        for (const QMenuBar* bar : top->findChildren<QMenuBar*>()) {
            for (const QAction* action : bar->actions()) {
                const QString text = action->text();
                const auto amp = text.indexOf(QLatin1Char('&'));
                if (amp >= 0 && amp + 1 < text.size())
                    letters += text[amp + 1].toLower();
            }
        }
    }
    return letters;
}

}  // namespace

void FormView::AssignMnemonics() {
    std::vector<TWinControl*> fields;
    FocusKinds(*form_, fields);
    std::vector<MnemonicOwner> owners;
    std::vector<const TControl*> groups;
    for (TWinControl* field : fields) {
        // The group first, the way the eye reads the form: Alt+C goes to "Cliente".
        for (TWinControl* parent = field->Parent(); parent != nullptr; parent = parent->Parent()) {
            if (dynamic_cast<TGroupBox*>(parent) == nullptr || parent->Caption().empty() ||
                std::find(groups.begin(), groups.end(), parent) != groups.end())
                continue;
            groups.push_back(parent);
            TWinControl* target = field;
            for (TWinControl* sibling : fields) {
                auto* radio = dynamic_cast<TRadioButton*>(sibling);
                if (radio != nullptr && radio->Parent() == parent && radio->Checked())
                    target = radio;
            }
            owners.push_back({parent, target});
        }
        if (dynamic_cast<TCheckBox*>(field) != nullptr && !field->Caption().empty())
            owners.push_back({field, field});
        else if (const TLabel* label = LabelOf(*field))
            owners.push_back({label, field});
    }
    QStringList captions;
    for (const MnemonicOwner& owner : owners)
        captions << QString::fromStdString(owner.captioned->Caption());
    const std::vector<int> places = MnemonicPlaces(captions, MenuMnemonics());
    for (std::size_t i = 0; i < owners.size(); ++i) {
        if (places[i] < 0)
            continue;
        if (ControlView* view = ViewOf(*owners[i].captioned))
            view->SetMnemonic(places[i], *owners[i].target);
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
    } else if (!PressCommand(key)) {
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
    FocusActiveControl();
}

void FormView::mousePressEvent(QMouseEvent* event) {
    if (form_ != nullptr)
        FocusActiveControl();
    event->accept();
}

void FormView::FocusActiveControl() {
    if (const TWinControl* active = form_->ActiveControl()) {
        if (ControlView* view = ViewOf(*active))
            view->FocusWidget().setFocus(Qt::OtherFocusReason);
    }
}

}  // namespace hostfw::view
