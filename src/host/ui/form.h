#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "host/components/handler_table.h"
#include "host/ui/control.h"
#include "hostfw_export.h"

namespace hostfw {

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
enum class TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

struct TBorderIcons {
    bool biSystemMenu = true;
    bool biMinimize = true;
    bool biMaximize = true;
    bool biHelp = false;
};

// A list a person picked through a dialog: the control whose action opened it, and the keys
// of the rows picked.
struct PickedList {
    std::string opener;
    std::vector<std::string> keys;
};

constexpr int mrNone = 0;
constexpr int mrCancel = 2;

class HostContext;
class TApplication;
class TScreen;

// A window built from its stored definitions: the ancestors' first, then its own.
class HOSTFW_EXPORT TCustomForm : public TWinControl {
public:
    explicit TCustomForm(TComponent* owner);
    ~TCustomForm() override;

    // Creation as the form factory runs it: handlers, definitions, members, OnCreate.
    void Construct();

    HandlerTable& Handlers() { return handlers_; }

    // The context the form was created under (its owner's), with its application and screen;
    // they raise a clear Exception for a form owned by no application.
    HostContext& Context() const;
    TApplication& Application() const;
    TScreen& Screen() const;

    TWinControl* ActiveControl() const { return activeControl_; }
    // Moves the focus: the focused control's exit event runs first; if it moves the focus
    // itself or fails, the focus stays where it left it (a failure passes on).
    void FocusControl(TWinControl* control);
    // The next (or previous) focusable control in tab order from the current one (Tab key).
    void SelectNext(TWinControl* current, bool forward = true);

    TBorderStyle BorderStyle() const { return borderStyle_; }
    void SetBorderStyle(TBorderStyle value) { borderStyle_ = value; }
    TBorderIcons& BorderIcons() { return borderIcons_; }
    TFormStyle FormStyle() const { return formStyle_; }
    void SetFormStyle(TFormStyle value) { formStyle_ = value; }
    TWindowState WindowState() const { return windowState_; }
    void SetWindowState(TWindowState value) { windowState_ = value; }

    bool Showing() const { return showing_; }
    bool Modal() const { return modal_; }
    int ModalResult() const { return modalResult_; }
    void SetModalResult(int value) { modalResult_ = value; }

    // Shows the window non-modally (OnShow when it was hidden, then activation).
    void Show();
    // Shows the window and runs the modal loop until it closes.
    int ShowModal();
    void Hide();
    // Asks OnClose for the close action and carries it out.
    void Close();
    // Frees the form once the current event has been handled.
    void Release();

    // The window becomes, or stops being, the application's active window.
    void Activate();
    // Repaints the window at once; the headless model draws nothing, a desktop view repaints.
    void Refresh() {}
    void Deactivate();

    // The lists picked through dialogs of this kind of form, the latest answer of each opener
    // (TApplication::PickedListsOf).
    const std::vector<PickedList>& PickedLists() const;
    void KeepPickedList(PickedList picked);

    TNotifyEvent OnCreate;
    TNotifyEvent OnShow;
    TNotifyEvent OnActivate;
    TNotifyEvent OnDeactivate;
    TCloseEvent OnClose;
    TNotifyEvent OnDestroy;

    const PropertyInfo* FindProperty(std::string_view name) const override;

protected:
    // Registers the form's handlers by name; a descendant calls its ancestor's first.
    virtual void RegisterHandlers(HandlerTable& table);
    // Applies the stored definitions; a descendant calls its ancestor's first.
    virtual void LoadDefinitions() {}
    // Binds the members of the class to the components the definitions created.
    virtual void BindMembers() {}
    // Applies one stored definition text to this form.
    void ApplyDefinition(std::string_view text, std::string_view sourceName);

private:
    void RunShowHandler();
    void SetBorderStyleIdent(const std::string& ident);
    void SetBorderIconsSet(const std::vector<std::string>& icons);
    void SetFormStyleIdent(const std::string& ident);
    void SetWindowStateIdent(const std::string& ident);

    HandlerTable handlers_;
    TWinControl* activeControl_ = nullptr;
    TWinControl* exitingControl_ = nullptr;  // whose exit handler is running
    unsigned focusMoves_ = 0;
    TBorderStyle borderStyle_ = TBorderStyle::bsSizeable;
    TBorderIcons borderIcons_;
    TFormStyle formStyle_ = TFormStyle::fsNormal;
    TWindowState windowState_ = TWindowState::wsNormal;
    bool showing_ = false;
    bool modal_ = false;
    int modalResult_ = mrNone;
};

class HOSTFW_EXPORT TForm : public TCustomForm {
public:
    using TCustomForm::TCustomForm;
};

}  // namespace hostfw
