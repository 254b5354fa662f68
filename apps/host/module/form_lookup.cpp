#include "module/form_lookup.h"

#include <strings.h>

#include "host/core/exception.h"
#include "host/ui/application.h"

namespace host {
namespace {

bool SameName(const std::string& a, std::string_view b) {
    return a.size() == b.size() && strncasecmp(a.data(), b.data(), b.size()) == 0;
}

hostfw::TComponent* FindOwned(const hostfw::TComponent& owner, std::string_view name) {
    if (hostfw::TComponent* found = owner.FindComponent(name))
        return found;
    for (int i = 0; i < owner.ComponentCount(); ++i) {
        if (hostfw::TComponent* found = FindOwned(*owner.Components(i), name))
            return found;
    }
    return nullptr;
}

}  // namespace

hostfw::TCustomForm& LiveForm(const hostfw::TApplication& application) {
    hostfw::TCustomForm* form = FindLiveForm(application);
    if (form == nullptr)
        throw ScriptError("nenhum formulário aberto.");
    return *form;
}

hostfw::TCustomForm* FindLiveForm(const hostfw::TApplication& application) {
    hostfw::TCustomForm* alive = nullptr;
    for (int i = application.ComponentCount() - 1; i >= 0; --i) {
        auto* form = dynamic_cast<hostfw::TCustomForm*>(application.Components(i));
        if (form == nullptr)
            continue;
        if (form->Showing())
            return form;
        if (alive == nullptr)
            alive = form;
    }
    return alive;
}

hostfw::TfrmDadosGerRel& LiveReportForm(const hostfw::TApplication& application) {
    auto* form = dynamic_cast<hostfw::TfrmDadosGerRel*>(&LiveForm(application));
    if (form == nullptr)
        throw hostfw::Exception("O formulário não é um formulário de relatório.");
    return *form;
}

hostfw::TComponent& FindScriptComponent(const hostfw::TApplication& application,
                                        std::string_view name) {
    hostfw::TCustomForm& form = LiveForm(application);
    if (SameName(form.Name(), name))
        return form;
    if (hostfw::TComponent* found = FindOwned(form, name))
        return *found;
    throw ScriptError("o formulário '" + form.Name() + "' não tem o componente '" +
                      std::string(name) + "'.");
}

}  // namespace host
