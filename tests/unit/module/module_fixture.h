#pragma once

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <string>

#include "host/components/component_by_name.h"
#include "host/core/variant.h"
#include "host/data/params.h"
#include "host/ui/application.h"
#include "host/ui/form.h"
#include "host/ui/host_context.h"
#include "host/ui/package_entry.h"
#include "host/ui/user_actions.h"
#include "support/fake_host_ui.h"
#include "unit/data/test_database.h"

namespace moduletest {

// The test's own context, built before the database that is set in its session.
struct ModuleContext {
    hostfw::HostContext context;
};

// The real package loaded with dlopen over the fixed test database, with a recording host UI.
// The application server is unreachable unless a test says otherwise. The entry routine is
// entered on behalf of the test's context, so its form is created under it.
class ModuleTest : protected ModuleContext, public datatest::TestDatabase {
protected:
    ModuleTest() : datatest::TestDatabase(context) {
        Session().filiProc = "0001";
        Session().moduFili = false;
        Session().webUrl = "127.0.0.1";
        Session().webPort = 1;
        Session().reportDir = EXP036_SOURCE_DIR "/reports";
        Application().SetUi(&ui);
        Load();
    }

    ~ModuleTest() override {
        if (hostfw::TCustomForm* open = Form())
            hostfw::UserActions::Close(*open);
        Application().ProcessReleases();
        Unload();
        Application().SetUi(nullptr);
    }

    hostfw::SessionSettings& Session() { return context.Session(); }
    std::shared_ptr<hostfw::Engine> SharedDatabase() { return context.Database().Open(); }
    hostfw::TApplication& Application() { return context.Application(); }
    hostfw::TScreen& Screen() { return context.Screen(); }

    void Load() {
        package_ = dlopen(EXP036_BIN_DIR "/libPkg_exp03600.so", RTLD_NOW | RTLD_LOCAL);
        ASSERT_NE(package_, nullptr) << dlerror();
    }

    void Unload() {
        if (package_ != nullptr)
            dlclose(package_);
        package_ = nullptr;
    }

    // The package's entry routine, as the host finds it.
    using EntryRoutine = void (*)(const hostfw::Variant&);
    EntryRoutine Routine() {
        auto routine = reinterpret_cast<EntryRoutine>(dlsym(package_, "IniProc"));
        EXPECT_NE(routine, nullptr) << "IniProc is not exported by its plain name";
        return routine;
    }
    // The host's call of the entry routine, entered on behalf of `entered` (the test's own
    // context unless told otherwise); a failure reaches the test.
    void IniProc(const hostfw::Variant& parameter) { IniProcIn(context, parameter); }
    void IniProcIn(hostfw::HostContext& entered, const hostfw::Variant& parameter) {
        const EntryRoutine routine = Routine();
        ASSERT_NE(routine, nullptr);
        const hostfw::PackageEntry entry(entered);
        routine(parameter);
    }
    void OpenEmbedded() { IniProc(hostfw::Variant::Null()); }

    // Module-level variables, through their unit-qualified exported names.
    std::string& st(const std::string& name) {
        return *static_cast<std::string*>(
            Symbol("_ZN12Cli_exp03600" + std::to_string(name.size()) + name + "B5cxx11E"));
    }
    bool& boIdCriado() { return *static_cast<bool*>(Symbol("_ZN12Cli_exp0360010boIdCriadoE")); }

    // The live form, or nullptr when none is open.
    hostfw::TCustomForm* Form() {
        return dynamic_cast<hostfw::TCustomForm*>(Application().FindComponent("frmRelConsLanc"));
    }
    template <class T>
    T& Control(std::string_view name) {
        return hostfw::ComponentByName<T>(*Form(), name);
    }

    std::vector<std::string> Messages() const { return ui.MessageTexts(); }
    std::string FocusName() {
        const hostfw::TCustomForm* form = Form();
        const hostfw::TWinControl* focused = form ? form->ActiveControl() : nullptr;
        return focused ? focused->Name() : std::string();
    }

    testsupport::FakeHostUi ui;

private:
    void* Symbol(const std::string& mangled) {
        void* address = dlsym(package_, mangled.c_str());
        EXPECT_NE(address, nullptr) << mangled << " is not exported";
        return address;
    }

    void* package_ = nullptr;
};

}  // namespace moduletest
