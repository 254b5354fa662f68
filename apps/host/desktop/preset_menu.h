#pragma once

#include <QMenu>
#include <optional>
#include <string>

#include "host/base_form/form_choice.h"
#include "host/data/saved_choices.h"

namespace host {

class GuiScriptUi;
class MainWindow;
class ModuleHost;

// "Consultas salvas" of the main window, for the report form open in it: keep the form's
// choices under a name (private or shared with the branch), apply one kept before (the
// person's own, which they may also rename, share, make private or delete, or a colleague's
// shared one), or repeat the last query. Applying sets the form to what was kept through its
// widgets, as a script would: the pickers are answered with the kept keys and the form's messages
// are shown to the person, so every check runs as if the choices were typed.
class PresetMenu : public QMenu {
public:
    PresetMenu(ModuleHost& module, GuiScriptUi& ui, MainWindow& window);

private:
    void Rebuild();
    void AddOwnEntry(const hostfw::StoredChoice& preset);
    void AddColleagueEntry(const hostfw::StoredChoice& preset);
    void Rename(const std::string& name);
    void Delete(const std::string& name);
    void SaveAs(bool shared);
    // nullopt: the last query.
    void Apply(const std::optional<std::string>& name);
    void Replay(const hostfw::FormChoice& choice);
    // Runs a step that reads or writes the kept choices; a failure is shown, not raised.
    template <class Step>
    void Guarded(Step&& step);

    ModuleHost& module_;
    GuiScriptUi& ui_;
    MainWindow& window_;
};

}  // namespace host
