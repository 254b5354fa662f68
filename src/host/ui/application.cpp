#include "host/ui/application.h"

#include <algorithm>

#include "host/core/exception.h"
#include "host/net/pending_call.h"
#include "host/ui/host_context.h"
#include "host/ui/host_ui.h"

namespace hostfw {

HostDialogs::~HostDialogs() = default;
HostObserver::~HostObserver() = default;
ReportProgress::~ReportProgress() = default;

void HostDialogs::AwaitCall(PendingCall& call) {
    call.Wait();
}

TApplication::TApplication(HostContext& context) : TComponent(nullptr), context_(context) {
    SetName("Application");
}

TApplication::~TApplication() {
    FreeComponents();
}

ComponentContext* TApplication::CarriedContext() const {
    return &context_;
}

int TApplication::FormCount() const {
    int count = 0;
    for (int i = 0; i < ComponentCount(); ++i) {
        auto* form = dynamic_cast<TCustomForm*>(Components(i));
        if (form != nullptr &&
            std::find(released_.begin(), released_.end(), form) == released_.end()) {
            ++count;
        }
    }
    return count;
}

void TApplication::Dispatch(const std::function<void()>& event) {
    ++dispatchDepth_;
    try {
        event();
    } catch (...) {
        HandleException(std::current_exception());
    }
    --dispatchDepth_;
    if (dispatchDepth_ == 0)
        ProcessReleases();
}

void TApplication::HandleException(std::exception_ptr failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const EAbort&) {
        // Already reported by whoever aborted.
    } catch (const std::exception& e) {
        Dialogs().ShowMessage(e.what(), MessageKind::Failure);
    } catch (...) {
        Dialogs().ShowMessage("Erro desconhecido.", MessageKind::Failure);
    }
}

void TApplication::ScheduleRelease(TCustomForm* form) {
    if (std::find(released_.begin(), released_.end(), form) == released_.end()) {
        released_.push_back(form);
    }
    if (dispatchDepth_ == 0)
        ProcessReleases();
}

void TApplication::ProcessReleases() {
    // A form still inside its modal loop is freed only once ShowModal has returned: the loop
    // and ShowModal itself still read it.
    std::vector<TCustomForm*> stillModal;
    while (!released_.empty()) {
        TCustomForm* form = released_.back();
        released_.pop_back();
        if (form->Modal()) {
            stillModal.push_back(form);
            continue;
        }
        if (context_.Screen().ActiveForm() == form)
            context_.Screen().SetActiveForm(nullptr);
        if (mainForm_ == form)
            mainForm_ = nullptr;
        delete form;
    }
    released_ = std::move(stillModal);
}

void TApplication::SetUi(HostUi* ui) {
    dialogs_ = ui;
    observer_ = ui;
    progress_ = ui;
}

void TApplication::SetUi(HostDialogs& dialogs, HostObserver& observer) {
    dialogs_ = &dialogs;
    observer_ = &observer;
    progress_ = &noProgress_;
}

namespace {

template <class Part>
Part& Installed(Part* part) {
    if (part == nullptr)
        throw Exception("Nenhuma interface de usuário foi configurada.");
    return *part;
}

}  // namespace

HostDialogs& TApplication::Dialogs() const {
    return Installed(dialogs_);
}

HostObserver& TApplication::Observer() const {
    return Installed(observer_);
}

ReportProgress& TApplication::Progress() {
    return Installed(progress_);
}

void TScreen::SetCursor(int value) {
    cursor_ = value;
    if (context_.Application().HasUi())
        context_.Application().Observer().CursorChanged(value);
}

const std::vector<PickedList>& TApplication::PickedListsOf(const std::string& formClass) const {
    static const std::vector<PickedList> none;
    const auto kept = pickedLists_.find(formClass);
    return kept == pickedLists_.end() ? none : kept->second;
}

void TApplication::KeepPickedList(const std::string& formClass, PickedList picked) {
    std::vector<PickedList>& kept = pickedLists_[formClass];
    for (PickedList& list : kept) {
        if (list.opener == picked.opener) {
            list.keys = std::move(picked.keys);
            return;
        }
    }
    kept.push_back(std::move(picked));
}

}  // namespace hostfw
