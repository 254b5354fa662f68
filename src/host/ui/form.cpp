#include "host/ui/form.h"

#include <algorithm>

#include "host/components/property_helpers.h"
#include "host/core/exception.h"
#include "host/definition/loader.h"
#include "host/ui/application.h"
#include "host/ui/host_context.h"
#include "host/ui/host_dialogs.h"
#include "host/ui/host_observer.h"

namespace hostfw {

TCustomForm::TCustomForm(TComponent* owner) : TWinControl(owner) {}

TCustomForm::~TCustomForm() {
    if (OnDestroy) {
        try {
            OnDestroy(this);
        } catch (...) {
            // A destructor must not throw; the form is going away regardless.
        }
    }
    // A form built outside any application (a plain test) has no screen to leave.
    HostContext* context = FindContext<HostContext>(*this);
    if (context == nullptr)
        return;
    if (context->Screen().ActiveForm() == this)
        context->Screen().SetActiveForm(nullptr);
    if (context->Application().HasUi())
        context->Application().Observer().FormDestroyed(*this);
}

HostContext& TCustomForm::Context() const {
    return HostContextOf(*this);
}

TApplication& TCustomForm::Application() const {
    return Context().Application();
}

TScreen& TCustomForm::Screen() const {
    return Context().Screen();
}

void TCustomForm::Construct() {
    RegisterHandlers(handlers_);
    LoadDefinitions();
    BindMembers();
    if (OnCreate)
        OnCreate(this);
}

void TCustomForm::RegisterHandlers(HandlerTable& /*table*/) {}

void TCustomForm::ApplyDefinition(std::string_view text, std::string_view sourceName) {
    LoadDefinition(*this, handlers_, text, sourceName);
}

void TCustomForm::FocusControl(TWinControl* control) {
    if (control == nullptr || !control->CanFocus()) {
        throw Exception("Não é possível mover o foco para um controle desabilitado ou invisível.");
    }
    ++focusMoves_;  // any focus request, even for the focused control, places the focus
    if (control == activeControl_)
        return;
    TWinControl* leaving = activeControl_;
    const unsigned movesBefore = focusMoves_;
    // A focus move made by the exit handler itself leaves the same control again: its exit
    // event must not run a second time, or a handler that sends the focus elsewhere recurses
    // without end.
    if (leaving != nullptr && leaving != exitingControl_) {
        TWinControl* const outerExit = exitingControl_;
        exitingControl_ = leaving;
        try {
            leaving->DoExit();  // a failure leaves the focus where it is
        } catch (...) {
            exitingControl_ = outerExit;
            throw;
        }
        exitingControl_ = outerExit;
        if (focusMoves_ != movesBefore)
            return;  // the exit handler placed the focus itself
    }
    activeControl_ = control;
    control->DoEnter();
}

void TCustomForm::SelectNext(TWinControl* current, bool forward) {
    // A control Tab does not stop at still has its place in the order, and the search starts
    // there; from no control at all, forward finds the first and backward the last.
    const std::vector<TWinControl*> order = FocusOrder(*this);
    if (order.empty())
        return;
    const size_t count = order.size();
    auto it = std::find(order.begin(), order.end(), current);
    const size_t start = it != order.end() ? static_cast<size_t>(it - order.begin())
                         : forward         ? count - 1
                                           : 0;
    for (size_t step = 1; step <= count; ++step) {
        TWinControl* candidate = order[(start + (forward ? step : count - step)) % count];
        if (candidate->TabStop() && candidate->CanFocus()) {
            FocusControl(candidate);
            return;
        }
    }
}

void TCustomForm::Show() {
    SetVisible(true);
    const bool wasShowing = showing_;
    showing_ = true;
    // The window is on screen (or brought to the front) before the show handler runs, so
    // whatever it says appears over the window, and a refusal leaves the window open.
    if (Application().HasUi())
        Application().Observer().FormShown(*this);
    if (!wasShowing && OnShow)
        RunShowHandler();
    Activate();
}

void TCustomForm::RunShowHandler() {
    // A refusal in the show handler is the user's to read, not the caller's to handle: it is
    // reported once and the window goes on to be activated (and, modally, to its loop) as any
    // shown window does. Without a UI a failure other than the silent abort has nowhere to
    // be shown and goes on to the caller.
    try {
        OnShow(this);
    } catch (const EAbort&) {
        // Already reported by whoever aborted.
    } catch (...) {
        if (!Application().HasUi())
            throw;
        Application().HandleException(std::current_exception());
    }
}

int TCustomForm::ShowModal() {
    if (modal_)
        throw Exception("O formulário já está sendo exibido de forma modal.");
    modal_ = true;
    modalResult_ = mrNone;
    const int busyCursor = Screen().Cursor();
    Screen().SetCursor(crDefault);
    try {
        Show();
        Application().Dialogs().RunModalLoop(*this, [this] { return modalResult_ != mrNone; });
    } catch (...) {
        modal_ = false;
        Screen().SetCursor(busyCursor);
        throw;
    }
    modal_ = false;
    Screen().SetCursor(busyCursor);
    return modalResult_;
}

void TCustomForm::Hide() {
    SetVisible(false);
    showing_ = false;
    if (Application().HasUi())
        Application().Observer().FormHidden(*this);
    if (Screen().ActiveForm() == this)
        Deactivate();
}

void TCustomForm::Close() {
    TCloseAction action = TCloseAction::caHide;
    if (formStyle_ == TFormStyle::fsMDIChild) {
        action = borderIcons_.biMinimize ? TCloseAction::caMinimize : TCloseAction::caNone;
    }
    if (OnClose)
        OnClose(this, action);
    switch (action) {
        case TCloseAction::caNone:
            return;
        case TCloseAction::caMinimize:
            windowState_ = TWindowState::wsMinimized;
            break;
        case TCloseAction::caHide:
            Hide();
            break;
        case TCloseAction::caFree:
            Hide();
            Release();
            break;
    }
    if (modal_)
        modalResult_ = mrCancel;
}

const std::vector<PickedList>& TCustomForm::PickedLists() const {
    return Application().PickedListsOf(ClassName());
}

void TCustomForm::KeepPickedList(PickedList picked) {
    Application().KeepPickedList(ClassName(), std::move(picked));
}

void TCustomForm::Release() {
    Application().ScheduleRelease(this);
}

void TCustomForm::Activate() {
    if (Screen().ActiveForm() == this)
        return;
    if (TCustomForm* previous = Screen().ActiveForm())
        previous->Deactivate();
    Screen().SetActiveForm(this);
    if (OnActivate)
        OnActivate(this);
}

void TCustomForm::Deactivate() {
    if (Screen().ActiveForm() != this)
        return;
    Screen().SetActiveForm(nullptr);
    if (OnDeactivate)
        OnDeactivate(this);
}

void TCustomForm::SetBorderStyleIdent(const std::string& ident) {
    static const std::pair<const char*, TBorderStyle> kStyles[] = {
        {"bsNone", TBorderStyle::bsNone},
        {"bsSingle", TBorderStyle::bsSingle},
        {"bsSizeable", TBorderStyle::bsSizeable},
        {"bsDialog", TBorderStyle::bsDialog},
        {"bsToolWindow", TBorderStyle::bsToolWindow},
        {"bsSizeToolWin", TBorderStyle::bsSizeToolWin},
    };
    for (const auto& [name, style] : kStyles) {
        if (ident == name) {
            borderStyle_ = style;
            return;
        }
    }
    throw Exception("estilo de borda desconhecido '" + ident + "'.");
}

void TCustomForm::SetBorderIconsSet(const std::vector<std::string>& icons) {
    borderIcons_ = {false, false, false, false};
    for (const std::string& icon : icons) {
        if (icon == "biSystemMenu") {
            borderIcons_.biSystemMenu = true;
        } else if (icon == "biMinimize") {
            borderIcons_.biMinimize = true;
        } else if (icon == "biMaximize") {
            borderIcons_.biMaximize = true;
        } else if (icon == "biHelp") {
            borderIcons_.biHelp = true;
        } else {
            throw Exception("ícone de borda desconhecido '" + icon + "'.");
        }
    }
}

void TCustomForm::SetFormStyleIdent(const std::string& ident) {
    if (ident == "fsNormal") {
        formStyle_ = TFormStyle::fsNormal;
    } else if (ident == "fsMDIChild") {
        formStyle_ = TFormStyle::fsMDIChild;
    } else if (ident == "fsMDIForm") {
        formStyle_ = TFormStyle::fsMDIForm;
    } else if (ident == "fsStayOnTop") {
        formStyle_ = TFormStyle::fsStayOnTop;
    } else {
        throw Exception("estilo de formulário desconhecido '" + ident + "'.");
    }
}

void TCustomForm::SetWindowStateIdent(const std::string& ident) {
    if (ident == "wsNormal") {
        windowState_ = TWindowState::wsNormal;
    } else if (ident == "wsMinimized") {
        windowState_ = TWindowState::wsMinimized;
    } else if (ident == "wsMaximized") {
        windowState_ = TWindowState::wsMaximized;
    } else {
        throw Exception("estado de janela desconhecido '" + ident + "'.");
    }
}

const PropertyInfo* TCustomForm::FindProperty(std::string_view name) const {
    static const PropertyTable table = {
        {"BorderStyle", IdentifierProperty(&TCustomForm::SetBorderStyleIdent)},
        {"BorderIcons", SetProperty(&TCustomForm::SetBorderIconsSet)},
        {"FormStyle", IdentifierProperty(&TCustomForm::SetFormStyleIdent)},
        {"WindowState", IdentifierProperty(&TCustomForm::SetWindowStateIdent)},
        {"Position", DesignProperty(PropertyType::Identifier)},
        {"PixelsPerInch", DesignProperty(PropertyType::Integer)},
        {"TextHeight", DesignProperty(PropertyType::Integer)},
        {"ClientWidth", DesignProperty(PropertyType::Integer)},
        {"ClientHeight", DesignProperty(PropertyType::Integer)},
        {"OldCreateOrder", DesignProperty(PropertyType::Boolean)},
        {"KeyPreview", DesignProperty(PropertyType::Boolean)},
        {"OnCreate", EventProperty(&TCustomForm::OnCreate)},
        {"OnShow", EventProperty(&TCustomForm::OnShow)},
        {"OnActivate", EventProperty(&TCustomForm::OnActivate)},
        {"OnDeactivate", EventProperty(&TCustomForm::OnDeactivate)},
        {"OnClose", EventProperty(&TCustomForm::OnClose)},
        {"OnDestroy", EventProperty(&TCustomForm::OnDestroy)},
    };
    if (const PropertyInfo* p = Lookup(table, name))
        return p;
    return TWinControl::FindProperty(name);
}

}  // namespace hostfw
