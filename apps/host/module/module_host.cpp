#include "module/module_host.h"

#include <variant>
#include <vector>

#include "host/core/exception.h"
#include "host/ui/application.h"
#include "host/ui/package_entry.h"
#include "host/ui/user_actions.h"
#include "scripts/script_error.h"
#include "scripts/script_token.h"

namespace host {
namespace {

constexpr const char* kEntryRoutine = "IniProc";

std::vector<hostfw::TCustomForm*> ApplicationForms(const hostfw::TApplication& application) {
    std::vector<hostfw::TCustomForm*> forms;
    for (int i = 0; i < application.ComponentCount(); ++i) {
        if (auto* form = dynamic_cast<hostfw::TCustomForm*>(application.Components(i)))
            forms.push_back(form);
    }
    return forms;
}

}  // namespace

void CloseAllForms(hostfw::TApplication& application) {
    for (hostfw::TCustomForm* form : ApplicationForms(application)) {
        if (form->Showing())
            hostfw::UserActions::Close(*form);
    }
    application.ProcessReleases();
    for (hostfw::TCustomForm* form : ApplicationForms(application))
        delete form;  // refused to close: it must still go before its code does
}

ModuleHost::ModuleHost(hostfw::HostContext& context, std::filesystem::path package)
    : context_(context), package_(std::move(package)) {
    Load();
}

ModuleHost::~ModuleHost() {
    Unload();
}

void ModuleHost::Load() {
    library_.emplace(package_);
    entry_ = reinterpret_cast<EntryRoutine>(library_->Symbol(kEntryRoutine));
    if (entry_ == nullptr) {
        library_.reset();
        throw hostfw::Exception("O módulo '" + package_.string() + "' não exporta " +
                                kEntryRoutine + ".");
    }
}

void ModuleHost::Unload() {
    CloseAllForms(Application());
    // The lists picked in the module's forms go with the module's own.
    Application().ForgetPickedLists();
    entry_ = nullptr;
    library_.reset();
}

void ModuleHost::RequireLoaded() const {
    if (entry_ == nullptr)
        throw ScriptError("o módulo não está carregado: a última recarga falhou.");
}

void ModuleHost::IniProc(const hostfw::Variant& parameter) const {
    RequireLoaded();
    Application().Dispatch([&] {
        const hostfw::PackageEntry entry(context_);
        entry_(parameter);
    });
}

void ModuleHost::Reload() {
    if (Application().FormCount() > 0)
        throw ScriptError("feche o formulário antes de recarregar o módulo.");
    Unload();
    Load();
}

std::string ModuleHost::ReadVariable(const std::string& name) const {
    const auto& address = Variable(name).address;
    if (const auto* text = std::get_if<const std::string*>(&address))
        return QuoteScriptText(**text);
    return *std::get<const bool*>(address) ? "true" : "false";
}

std::string ModuleHost::ReadText(const std::string& name) const {
    const auto* text = std::get_if<const std::string*>(&Variable(name).address);
    if (text == nullptr)
        throw ScriptError("'" + name + "' não é uma variável de texto do módulo.");
    return **text;
}

const hostfw::PublishedVariable& ModuleHost::Variable(const std::string& name) const {
    RequireLoaded();
    const hostfw::PublishedVariable* variable = hostfw::FindPublishedVariable(name);
    if (variable == nullptr)
        throw ScriptError("o módulo não publica a variável '" + name + "'.");
    return *variable;
}

}  // namespace host
