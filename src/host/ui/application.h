#pragma once

#include <exception>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "host/components/component.h"
#include "host/ui/form.h"
#include "host/ui/report_progress.h"
#include "hostfw_export.h"

namespace hostfw {

class HostContext;
class HostDialogs;
class HostObserver;
class HostUi;

// A context's application object: owns the forms, runs every event through the same
// exception handling, holds the host UI the dialogs go through, and carries its context to
// everything it owns.
class HOSTFW_EXPORT TApplication : public TComponent {
public:
    explicit TApplication(HostContext& context);
    ~TApplication() override;
    std::string ClassName() const override { return "TApplication"; }
    ComponentContext* CarriedContext() const override;
    HostContext& Context() const { return context_; }

    // Creates a form owned by the application. The reference is set before the form's
    // creation handler runs and cleared again if creation fails.
    template <class T>
    void CreateForm(T*& reference) {
        T* form = new T(this);
        reference = form;
        try {
            form->Construct();
        } catch (...) {
            reference = nullptr;
            delete form;
            throw;
        }
    }

    TCustomForm* MainForm() const { return mainForm_; }
    void SetMainForm(TCustomForm* form) { mainForm_ = form; }
    // Forms alive: owned by the application and not yet freed.
    int FormCount() const;

    // Runs one event: the silent abort is swallowed, any other failure's message is shown
    // once; forms released meanwhile are freed afterwards.
    void Dispatch(const std::function<void()>& event);
    void HandleException(std::exception_ptr failure);
    // Frees the forms whose Release was called.
    void ProcessReleases();
    void ScheduleRelease(TCustomForm* form);

    // The UI the application shows through, handed out by part: the dialogs, who follows what
    // the program does, and who shows a long run's progress. Each raises a clear Exception
    // without a UI.
    HostDialogs& Dialogs() const;
    HostObserver& Observer() const;
    ReportProgress& Progress();
    // Without a UI (a server, a plain test) notices have nowhere to go and are skipped.
    bool HasUi() const { return dialogs_ != nullptr; }
    // A whole UI, or none (nullptr).
    void SetUi(HostUi* ui);
    // A UI without a screen: nothing shows a run's progress.
    void SetUi(HostDialogs& dialogs, HostObserver& observer);

    // The lists picked through the dialogs of a kind of form (its class name), the latest answer
    // of each opener. They live as long as the module that shows the form, as the module's own
    // lists do, not as long as one window of it; the module's host forgets them as it unloads.
    const std::vector<PickedList>& PickedListsOf(const std::string& formClass) const;
    void KeepPickedList(const std::string& formClass, PickedList picked);
    void ForgetPickedLists() { pickedLists_.clear(); }

    // The control whose click or key is running, which a dialog opened meanwhile belongs to
    // (DialogOpenerScope); nullptr between actions.
    TControl* DialogOpener() const { return dialogOpener_; }
    void SetDialogOpener(TControl* control) { dialogOpener_ = control; }

private:
    HostContext& context_;
    TCustomForm* mainForm_ = nullptr;
    HostDialogs* dialogs_ = nullptr;
    HostObserver* observer_ = nullptr;
    ReportProgress* progress_ = nullptr;
    ReportProgress noProgress_;
    std::vector<TCustomForm*> released_;
    int dispatchDepth_ = 0;
    std::map<std::string, std::vector<PickedList>> pickedLists_;
    TControl* dialogOpener_ = nullptr;
};

// A context's screen: cursor and active form.
class HOSTFW_EXPORT TScreen {
public:
    explicit TScreen(HostContext& context) : context_(context) {}
    int Cursor() const { return cursor_; }
    // A window shows the new cursor at once, even in the middle of a long handler.
    void SetCursor(int value);
    TCustomForm* ActiveForm() const { return activeForm_; }
    void SetActiveForm(TCustomForm* form) { activeForm_ = form; }

private:
    HostContext& context_;
    int cursor_ = 0;
    TCustomForm* activeForm_ = nullptr;
};

constexpr int crDefault = 0;
constexpr int crHourGlass = -11;

}  // namespace hostfw
