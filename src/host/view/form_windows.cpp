#include "host/view/form_windows.h"

#include <QCloseEvent>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QVBoxLayout>
#include <algorithm>

#include "host/ui/user_actions.h"
#include "host/view/screen_scale.h"

namespace hostfw::view {
namespace {

// The user's close button: the form decides, through its close handler, and the window hides
// when the form does.
void AskFormToClose(FormView* view, QCloseEvent* event) {
    event->ignore();
    if (view != nullptr && view->Form() != nullptr) {
        TCustomForm& form = *view->Form();
        RunUserAction([&] { UserActions::Close(form); });
    }
}

class FormSubWindow : public QMdiSubWindow {
public:
    using QMdiSubWindow::QMdiSubWindow;
    QPointer<FormView> view;

protected:
    void closeEvent(QCloseEvent* event) override { AskFormToClose(view, event); }
};

class FormTopWindow : public QWidget {
public:
    explicit FormTopWindow(Qt::WindowFlags flags) : QWidget(nullptr, flags) {}
    QPointer<FormView> view;

protected:
    void closeEvent(QCloseEvent* event) override { AskFormToClose(view, event); }
};

}  // namespace

FormWindows::FormWindows(QMdiArea* area) : area_(area) {}

FormWindows::~FormWindows() {
    for (auto& [form, entry] : windows_) {
        if (entry.view)
            entry.view->Detach();
        delete entry.window;
    }
}

FormWindows::Entry FormWindows::Open(TCustomForm& form) {
    auto* view = new FormView(form);
    const bool embedded = area_ != nullptr && form.FormStyle() == TFormStyle::fsMDIChild;
    if (embedded) {
        auto* window = new FormSubWindow;
        window->view = view;
        window->setWidget(view);
        window->setWindowFlags(Qt::SubWindow | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                               Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
        window->setAttribute(Qt::WA_DeleteOnClose, false);
        area_->addSubWindow(window);
        view->setFixedSize(view->ClientSize());
        window->adjustSize();
        window->setFixedSize(window->size());
        // The stored position, kept inside the area.
        window->move(
            std::clamp(Scaled(form.Left()), 0, std::max(0, area_->width() - window->width())),
            std::clamp(Scaled(form.Top()), 0, std::max(0, area_->height() - window->height())));
        return {window, view};
    }
    Qt::WindowFlags flags = Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                            Qt::WindowCloseButtonHint | Qt::WindowMinimizeButtonHint;
    if (form.BorderIcons().biMaximize)
        flags |= Qt::WindowMaximizeButtonHint;
    auto* window = new FormTopWindow(flags);
    window->view = view;
    auto* layout = new QVBoxLayout(window);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view, 0, Qt::AlignLeft | Qt::AlignTop);
    view->setFixedSize(view->ClientSize());
    window->setMinimumSize(view->ClientSize());
    window->resize(view->ClientSize());
    window->move(Scaled(form.Left()), Scaled(form.Top()));
    return {window, view};
}

void FormWindows::Shown(TCustomForm& form) {
    auto it = windows_.find(&form);
    if (it == windows_.end() || !it->second.window)
        it = windows_.insert_or_assign(&form, Open(form)).first;
    QWidget& window = *it->second.window;
    window.setWindowTitle(QString::fromStdString(form.Caption()));
    if (form.Modal())
        window.setWindowModality(Qt::ApplicationModal);
    // A second opening of a live form restores it and brings it to the front.
    window.showNormal();
    window.raise();
    window.activateWindow();
    if (auto* sub = qobject_cast<QMdiSubWindow*>(&window); sub != nullptr && area_ != nullptr)
        area_->setActiveSubWindow(sub);
    if (FormView* view = it->second.view)
        view->ModelChanged();
}

void FormWindows::Hidden(TCustomForm& form) {
    const auto it = windows_.find(&form);
    if (it != windows_.end() && it->second.window)
        it->second.window->hide();
}

void FormWindows::Destroyed(TCustomForm& form) {
    const auto it = windows_.find(&form);
    if (it == windows_.end())
        return;
    // The form may be freed from inside one of its window's own events: the window goes
    // once that event is over, and never reads the form again.
    if (it->second.view)
        it->second.view->Detach();
    if (it->second.window) {
        it->second.window->hide();
        it->second.window->deleteLater();
    }
    windows_.erase(it);
}

FormView* FormWindows::ViewOf(const TCustomForm& form) const {
    const auto it = windows_.find(&form);
    return it != windows_.end() ? it->second.view.data() : nullptr;
}

QWidget* FormWindows::WindowOf(const TCustomForm& form) const {
    const auto it = windows_.find(&form);
    return it != windows_.end() ? it->second.window.data() : nullptr;
}

std::vector<QWidget*> FormWindows::Windows() const {
    std::vector<QWidget*> windows;
    for (const auto& [form, entry] : windows_) {
        if (entry.window)
            windows.push_back(entry.window);
    }
    return windows;
}

void FormWindows::ModelChanged() {
    for (const auto& [form, entry] : windows_) {
        const FormView* view = entry.view;
        QWidget* window = entry.window;
        if (window != nullptr && view != nullptr && view->Form() != nullptr)
            window->setWindowTitle(QString::fromStdString(form->Caption()));
    }
}

}  // namespace hostfw::view
