#include "desktop/desktop_mode.h"

#include <QApplication>
#include <iostream>

#include "choices/last_query.h"
#include "command_line/host_paths.h"
#include "desktop/display_check.h"
#include "desktop/gui_script_ui.h"
#include "desktop/main_window.h"
#include "desktop/product_icon.h"
#include "desktop/screenshots.h"
#include "desktop/widget_screen.h"
#include "host/core/exception.h"
#include "host/ui/host_context.h"
#include "host/view/desktop_setup.h"
#include "host/view/qt_host_ui.h"
#include "host/view/qt_notices.h"
#include "module/module_host.h"
#include "report/report_audit.h"
#include "scripts/interpreter.h"
#include "scripts/run_status.h"
#include "scripts/script_streams.h"
#include "scripts/transcript.h"
#include "session/session_setup.h"
#include "session/signed_in_session.h"

namespace host {
namespace {

// The windows go before the package that holds their code, the UI last.
class InstalledUi {
public:
    InstalledUi(hostfw::HostContext& context, hostfw::HostUi& ui) : context_(context) {
        context_.Application().SetUi(&ui);
    }
    ~InstalledUi() {
        context_.Database().Close();
        context_.Application().SetUi(nullptr);
    }
    InstalledUi(const InstalledUi&) = delete;
    InstalledUi& operator=(const InstalledUi&) = delete;

private:
    hostfw::HostContext& context_;
};

// The sign-in dialog answers when the database wants a password.
CredentialsPrompt DialogPrompt(hostfw::view::QtHostUi& ui) {
    return [&ui](const std::string& failure) { return ui.AskCredentials(failure); };
}

// The style, Qt's own texts in the person's language, the product's icon.
void SetUpDesktopApplication(const HostOptions& options) {
    const std::string language = options.language.value_or(hostfw::view::kDefaultLanguage);
    if (!hostfw::view::SetUpDesktop(language)) {
        std::cerr << "exp036-host: aviso: não há tradução dos textos do Qt para " << language
                  << " (pacote qt6-translations-l10n); eles ficam em inglês.\n";
    }
    QApplication::setWindowIcon(ProductIcon());
    QGuiApplication::setDesktopFileName(QStringLiteral("exp036-host"));
}

bool ReportMissingDisplay() {
    const auto missing = MissingDisplay();
    if (missing)
        std::cerr << "exp036-host: " << *missing << '\n';
    return missing.has_value();
}

}  // namespace

int RunDesktopMode(const HostOptions& options, int argc, char** argv) {
    if (ReportMissingDisplay())
        return 2;
    hostfw::view::QuietPlatformNotices();
    QApplication application(argc, argv);
    SetUpDesktopApplication(options);
    hostfw::HostContext context;
    ApplySessionOptions(options, context.Session());
    Screenshots none("");
    GuiScriptUi ui(context.Screen(), nullptr, none);
    InstalledUi installed(context, ui);
    try {
        SignInForRun(context, options, DialogPrompt(ui), nullptr);
    } catch (const std::exception& refusal) {
        // Nothing opens for a person who is not signed in.
        ui.ShowMessage(refusal.what(), hostfw::MessageKind::Error);
        return 1;
    }
    ModuleHost module(context, options.package.value_or(DefaultPackage()));
    MainWindow window(module, ui);
    // The person sees it, on the status bar; standard error is nobody's in a desktop.
    const ReportAudit audit(context, [&window](const std::string& warning) {
        window.ShowNotice(warning);
        ReportAudit::WarnOnStandardError(warning);
    });
    ui.SetMdiArea(&window.Area());
    ui.SetNoticeSink([&window](const std::string& line) { window.ShowNotice(line); });
    ui.SetDeliveryObserver([&] { KeepDeliveredRunAsLastQuery(context, ui); });
    window.show();
    const int status = QApplication::exec();
    CloseAllForms(context.Application());
    ui.SetDeliveryObserver(nullptr);
    return status == 0 ? 0 : 1;
}

int RunGuiScriptMode(const HostOptions& options, int argc, char** argv) {
    if (ReportMissingDisplay())
        return 2;
    ScriptStreams streams(options);
    std::istream& script = streams.Script();
    std::ostream& out = streams.Transcript();

    hostfw::view::QuietPlatformNotices();
    QApplication application(argc, argv);
    SetUpDesktopApplication(options);
    hostfw::HostContext context;
    ApplySessionOptions(options, context.Session());
    Screenshots screenshots(options.screenshots.value_or(""));
    RunStatus status;
    Transcript transcript(out);
    ScriptedUi scripted(transcript, status);
    GuiScriptUi ui(context.Screen(), nullptr, screenshots);
    ui.Attach({&scripted, GuiScriptUi::MessageReader::Script});
    InstalledUi installed(context, ui);
    const ReportAudit audit(context);
    {
        ModuleHost module(context, options.package.value_or(DefaultPackage()));
        MainWindow window(module, ui);
        ui.SetMdiArea(&window.Area());
        ui.SetNoticeSink([&window](const std::string& line) { window.ShowNotice(line); });
        ui.SetDeliveryObserver([&] { KeepDeliveredRunAsLastQuery(context, ui); });
        window.show();
        // The person's window is the active one: the focus shows where the form puts it.
        window.activateWindow();
        screenshots.Take(window);
        WidgetScreen screen(window, ui, screenshots);
        Interpreter interpreter(script, scripted, module, &screen);
        // The sign-in dialog waits for the script's login line.
        interpreter.SetBeforeFirstAction([&] {
            SignInForRun(context, options, DialogPrompt(ui), &out);
            window.ShowSession();
        });
        interpreter.Run();
        CloseAllForms(context.Application());
        ui.SetDeliveryObserver(nullptr);
        ui.SetNoticeSink(nullptr);
        ui.SetMdiArea(nullptr);
    }
    if (!status.Failed())
        return 0;
    std::cerr << "exp036-host: " << DescribeFailure(*status.Failure()) << '\n';
    return 1;
}

}  // namespace host
