#pragma once

#include <string>
#include <string_view>

#include "host/base_form/frm_dados_ger_rel.h"
#include "host/ui/application.h"
#include "host/ui/form.h"
#include "scripts/script_error.h"

namespace host {

// The window a script acts on: the newest form of the application that is showing, or else
// the newest one still alive. Raises ScriptError when there is none.
hostfw::TCustomForm& LiveForm(const hostfw::TApplication& application);
// The same, nullptr when no form is alive.
hostfw::TCustomForm* FindLiveForm(const hostfw::TApplication& application);

// The live form as a report form; raises a clear message when it is another kind of window.
hostfw::TfrmDadosGerRel& LiveReportForm(const hostfw::TApplication& application);

// A component of the live form by name (letter case ignored), searched through everything
// the form owns; the form's own name finds the form.
hostfw::TComponent& FindScriptComponent(const hostfw::TApplication& application,
                                        std::string_view name);

// The same, of the kind a line needs; `kind` says it in words for the error.
template <class T>
T& FindScriptControl(const hostfw::TApplication& application, std::string_view name,
                     std::string_view kind) {
    hostfw::TComponent& component = FindScriptComponent(application, name);
    if (auto* typed = dynamic_cast<T*>(&component))
        return *typed;
    throw ScriptError("'" + std::string(name) + "' é um " + component.ClassName() +
                      "; esta linha pede " + std::string(kind) + ".");
}

}  // namespace host
