#pragma once

// The main window over the real package and a small database, with the report form open in
// it: what the desktop's tests start from.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QApplication>
#include <QTest>
#include <QTimer>
#include <filesystem>
#include <functional>
#include <optional>

#include "choices/last_query.h"
#include "command_line/host_options.h"
#include "db/demo_data.h"
#include "desktop/gui_script_ui.h"
#include "desktop/main_window.h"
#include "desktop/screenshots.h"
#include "host/data/engine.h"
#include "host/ui/edit.h"
#include "host/ui/host_context.h"
#include "host/view/model_events.h"
#include "module/form_lookup.h"
#include "module/module_host.h"
#include "session/session_setup.h"

// Qt's strings as gtest prints them in a failure.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace desktoptest {

namespace fs = std::filesystem;

class DesktopTest : public ::testing::Test {
protected:
    explicit DesktopTest(const std::string& name)
        : folder(fs::temp_directory_path() / (name + "_" + std::to_string(getpid()))) {
        fs::remove_all(folder);
        fs::create_directories(folder);
        demodb::BuildTestDatabase(*hostfw::OpenDatabase((folder / "test.sqlite").string(), true));
        host::HostOptions options;
        options.database = (folder / "test.sqlite").string();
        options.reportDir = EXP036_SOURCE_DIR "/reports";
        options.outputDir = folder / "output";
        options.branch = "0001";
        host::ApplySessionOptions(options, context.Session());
        context.Application().SetUi(&ui);
        module.emplace(context, EXP036_PACKAGE);
        window.emplace(*module, ui);
        ui.SetMdiArea(&window->Area());
        ui.SetDeliveryObserver([this] { host::KeepDeliveredRunAsLastQuery(context, ui); });
        ui.SetNoticeSink([this](const std::string& line) { window->ShowNotice(line); });
        window->show();
        window->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(&*window));
        window->OpenForm(false);
    }
    ~DesktopTest() override {
        host::CloseAllForms(context.Application());
        ui.SetNoticeSink(nullptr);
        ui.SetDeliveryObserver(nullptr);
        ui.SetMdiArea(nullptr);
        window.reset();
        module.reset();
        context.Database().Close();
        context.Application().SetUi(nullptr);
        fs::remove_all(folder);
    }

    template <class Control = hostfw::TControl>
    Control& Named(const char* name) {
        return host::FindScriptControl<Control>(context.Application(), name, "um controle");
    }
    // The widget of a control of the live form (the edit inside a date edit).
    QWidget& WidgetOf(const char* name) {
        hostfw::TCustomForm* form = host::FindLiveForm(context.Application());
        EXPECT_NE(form, nullptr);
        return ui.Windows().ViewOf(*form)->ViewNamed(name)->FocusWidget();
    }
    // Runs `operate` on the next dialog or window once it is on screen, inside its modal loop.
    static void WhenShown(std::function<void(QWidget&)> operate) {
        QTimer::singleShot(0, [operate = std::move(operate)] {
            QWidget* shown = QApplication::activeModalWidget();
            if (shown == nullptr)
                shown = QApplication::activePopupWidget();
            ASSERT_NE(shown, nullptr) << "no dialog on screen";
            operate(*shown);
        });
    }

    const fs::path folder;
    hostfw::HostContext context;
    host::Screenshots none{""};
    host::GuiScriptUi ui{context.Screen(), nullptr, none};
    std::optional<host::ModuleHost> module;
    std::optional<host::MainWindow> window;
};

}  // namespace desktoptest
