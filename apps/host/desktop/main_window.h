#pragma once

#include <QMainWindow>
#include <string>

#include "host/session/session.h"

class QLabel;
class QMdiArea;

namespace host {

class GuiScriptUi;
class ModuleHost;

// The host application's main window: a multiple-document area for embedded forms, the menu
// "Relatórios" that opens the report form embedded or in a window of its own, the menu
// "Consultas salvas" for the form, and the session in the status bar.
class MainWindow : public QMainWindow {
public:
    MainWindow(ModuleHost& module, GuiScriptUi& ui);
    QMdiArea& Area() { return *area_; }
    // Opens the form as the menu does: embedded (IniProc with Null) or modal (IniProc with 1).
    void OpenForm(bool modal);
    void ShowNotice(const std::string& line);
    // The status bar's session again, after a sign-in changed it.
    void ShowSession();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ModuleHost& module_;
    QMdiArea* area_;
    QLabel* session_;
};

// The session as the status bar shows it: branch, bound or not, database, server.
std::string SessionSummary(const hostfw::SessionSettings& session);

}  // namespace host
