#pragma once

#include <QMainWindow>

class QLabel;
class QMdiArea;

namespace host {

class ModuleHost;

// The host application's main window: a multiple-document area for embedded forms, the menu
// "Relatórios" that opens the report form embedded or in a window of its own, and the session
// in the status bar.
class MainWindow : public QMainWindow {
public:
    explicit MainWindow(ModuleHost& module);
    QMdiArea& Area() { return *area_; }
    // Opens the form as the menu does: embedded (IniProc with Null) or modal (IniProc with 1).
    void OpenForm(bool modal);
    void ShowNotice(const std::string& line);

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    ModuleHost& module_;
    QMdiArea* area_;
    QLabel* session_;
};

// The session as the status bar shows it: branch, bound or not, database, server.
std::string SessionSummary();

}  // namespace host
