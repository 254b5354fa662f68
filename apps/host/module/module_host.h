#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "host/components/published_variables.h"
#include "host/core/variant.h"
#include "host/ui/host_context.h"
#include "module/package_library.h"

namespace host {

// The report module as the host holds it for one context: its package loaded, its entry
// routine (the one name the host looks up in it) entered on behalf of that context, its
// module-level variables read where the module publishes them, and its windows put away before
// the package goes (their code lives in it).
class ModuleHost {
public:
    ModuleHost(hostfw::HostContext& context, std::filesystem::path package);
    ~ModuleHost();
    ModuleHost(const ModuleHost&) = delete;
    ModuleHost& operator=(const ModuleHost&) = delete;

    // Raises ScriptError when a failed reload left no package loaded.
    void RequireLoaded() const;
    hostfw::HostContext& Context() const { return context_; }
    hostfw::TApplication& Application() const { return context_.Application(); }

    // Calls the entry routine IniProc with the parameter, as an event of the context's
    // application, inside an entry that names the context (the forms it creates are the
    // context's).
    void IniProc(const hostfw::Variant& parameter) const;
    // Unloads and loads the package again; refused while one of its windows is open.
    void Reload();
    // A published module-level variable as a script writes a value: a quoted text, or
    // true/false.
    std::string ReadVariable(const std::string& name) const;
    // A published text variable as it is.
    std::string ReadText(const std::string& name) const;

private:
    const hostfw::PublishedVariable& Variable(const std::string& name) const;
    using EntryRoutine = void (*)(const hostfw::Variant&);

    void Load();
    void Unload();

    hostfw::HostContext& context_;
    std::filesystem::path package_;
    std::optional<PackageLibrary> library_;
    EntryRoutine entry_ = nullptr;
};

// Closes every window of the application as the user would, then frees whatever refused to
// close.
void CloseAllForms(hostfw::TApplication& application);

}  // namespace host
