#include "module_host.h"

#include <algorithm>
#include <cctype>
#include <vector>

#include "host/core/exception.h"
#include "host/ui/application.h"
#include "host/ui/user_actions.h"
#include "script_error.h"
#include "script_token.h"

namespace host {
namespace {

constexpr const char* kEntryRoutine = "IniProc";
constexpr const char* kUnit = "Cli_exp03600";

std::vector<hostfw::TCustomForm*> ApplicationForms() {
    std::vector<hostfw::TCustomForm*> forms;
    hostfw::TApplication& application = hostfw::Application();
    for (int i = 0; i < application.ComponentCount(); ++i) {
        if (auto* form = dynamic_cast<hostfw::TCustomForm*>(application.Components(i)))
            forms.push_back(form);
    }
    return forms;
}

bool IsVariableName(const std::string& name) {
    const bool prefixed = name.rfind("st", 0) == 0 || name.rfind("bo", 0) == 0;
    return prefixed && name.size() > 2 && std::all_of(name.begin(), name.end(), [](char c) {
               return std::isalnum(static_cast<unsigned char>(c)) != 0 || c == '_';
           });
}

}  // namespace

std::string ModuleVariableSymbol(const std::string& name) {
    const std::string unit = kUnit;
    // A std::string variable carries the C++11 library's ABI tag in its mangled name.
    const char* tag = name.rfind("st", 0) == 0 ? "B5cxx11" : "";
    return "_ZN" + std::to_string(unit.size()) + unit + std::to_string(name.size()) + name + tag +
           "E";
}

void CloseAllForms() {
    for (hostfw::TCustomForm* form : ApplicationForms()) {
        if (form->Showing())
            hostfw::UserActions::Close(*form);
    }
    hostfw::Application().ProcessReleases();
    for (hostfw::TCustomForm* form : ApplicationForms())
        delete form;  // refused to close: it must still go before its code does
}

ModuleHost::ModuleHost(std::filesystem::path package) : package_(std::move(package)) {
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
    CloseAllForms();
    entry_ = nullptr;
    library_.reset();
}

void ModuleHost::RequireLoaded() const {
    if (entry_ == nullptr)
        throw ScriptError("o módulo não está carregado: a última recarga falhou.");
}

void ModuleHost::IniProc(const hostfw::Variant& parameter) const {
    RequireLoaded();
    entry_(parameter);
}

void ModuleHost::Reload() {
    if (hostfw::Application().FormCount() > 0)
        throw ScriptError("feche o formulário antes de recarregar o módulo.");
    Unload();
    Load();
}

std::string ModuleHost::ReadVariable(const std::string& name) const {
    if (name.rfind("st", 0) == 0)
        return QuoteScriptText(ReadText(name));
    return *static_cast<const bool*>(Variable(name)) ? "true" : "false";
}

std::string ModuleHost::ReadText(const std::string& name) const {
    if (name.rfind("st", 0) != 0)
        throw ScriptError("'" + name + "' não é uma variável de texto do módulo.");
    return *static_cast<const std::string*>(Variable(name));
}

void* ModuleHost::Variable(const std::string& name) const {
    if (!IsVariableName(name)) {
        throw ScriptError("'" + name +
                          "' não é uma variável do módulo: o nome começa com st (texto) ou bo "
                          "(lógico).");
    }
    RequireLoaded();
    void* address = library_->Symbol(ModuleVariableSymbol(name));
    if (address == nullptr)
        throw ScriptError("o módulo não exporta a variável '" + name + "'.");
    return address;
}

}  // namespace host
