#include "desktop/main_window.h"

#include <QCloseEvent>
#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QMenuBar>
#include <QStatusBar>

#include "desktop/preset_menu.h"
#include "host/data/engine.h"
#include "host/session/session.h"
#include "host/ui/application.h"
#include "host/ui/host_context.h"
#include "host/view/command_keys.h"
#include "host/view/model_events.h"
#include "host/view/shortcuts_dialog.h"
#include "module/module_host.h"

namespace host {

MainWindow::MainWindow(ModuleHost& module, GuiScriptUi& ui) : module_(module) {
    setObjectName(QStringLiteral("principal"));
    setWindowTitle(QStringLiteral("EXP036 - Sistema da filial"));
    area_ = new QMdiArea(this);
    area_->setObjectName(QStringLiteral("area"));
    setCentralWidget(area_);
    QMenu* reports = menuBar()->addMenu(QStringLiteral("&Relatórios"));
    reports->setObjectName(QStringLiteral("relatorios"));
    QAction* embedded = reports->addAction(QStringLiteral("Consulta Lançamentos"));
    embedded->setObjectName(QStringLiteral("consulta"));
    connect(embedded, &QAction::triggered, this, [this] { OpenForm(false); });
    QAction* window = reports->addAction(QStringLiteral("Consulta Lançamentos (janela)"));
    window->setObjectName(QStringLiteral("consulta_janela"));
    connect(window, &QAction::triggered, this, [this] { OpenForm(true); });
    reports->addSeparator();
    QAction* quit = reports->addAction(QStringLiteral("Sair"));
    connect(quit, &QAction::triggered, this, &QWidget::close);
    menuBar()->addMenu(new PresetMenu(module, ui, *this));
    QMenu* help = menuBar()->addMenu(QStringLiteral("Aj&uda"));
    help->setObjectName(QStringLiteral("ajuda"));
    QAction* keys = help->addAction(QStringLiteral("Teclas de atalho"), this,
                                    [this] { hostfw::view::ShortcutsDialog(this).exec(); });
    keys->setObjectName(QStringLiteral("teclas"));
    keys->setShortcut(hostfw::view::keys::kShortcuts);
    session_ =
        new QLabel(QString::fromStdString(SessionSummary(module_.Context().Session())), this);
    session_->setObjectName(QStringLiteral("sessao"));
    statusBar()->addPermanentWidget(session_);
    resize(1024, 720);
}

void MainWindow::OpenForm(bool modal) {
    const hostfw::Variant parameter = modal ? hostfw::Variant(1) : hostfw::Variant::Null();
    hostfw::view::RunUserAction([&] { module_.IniProc(parameter); });
}

void MainWindow::ShowNotice(const std::string& line) {
    statusBar()->showMessage(QString::fromStdString(line), 10'000);
    ShowSession();
}

void MainWindow::ShowSession() {
    session_->setText(QString::fromStdString(SessionSummary(module_.Context().Session())));
}

void MainWindow::closeEvent(QCloseEvent* event) {
    // The forms close as their own close buttons would; one that stays open keeps the window.
    bool stillOpen = false;
    for (QMdiSubWindow* window : area_->subWindowList()) {
        window->close();
        stillOpen = stillOpen || window->isVisible();
    }
    if (stillOpen)
        event->ignore();
    else
        event->accept();
}

std::string SessionSummary(const hostfw::SessionSettings& session) {
    std::string text;
    if (session.person)
        text += "Pessoa: " + session.person->login + " (" + session.person->name + ")  |  ";
    text += "Filial: " + (session.filiProc.empty() ? std::string("(nenhuma)") : session.filiProc);
    text += session.moduFili ? " (presa)" : " (livre)";
    // A PostgreSQL connection string may hold a password: only the engine is shown.
    const std::string database = session.database.empty() ? std::string("(nenhum)")
                                 : hostfw::IsPostgresConnection(session.database)
                                     ? std::string("PostgreSQL")
                                     : session.database;
    text += "  |  Banco: " + database;
    text += "  |  Servidor: " + (session.webUrl.empty()
                                     ? std::string("(nenhum)")
                                     : session.webUrl + ":" + std::to_string(session.webPort));
    return text;
}

}  // namespace host
