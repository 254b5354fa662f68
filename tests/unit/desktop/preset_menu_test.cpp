// The menu "Consultas salvas" of the main window, on the real package and a small database:
// a choice kept from the form is done again through the form's widgets, and so is the last
// query once a preview reached the person.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>
#include <filesystem>

#include "choice_store.h"
#include "db/demo_data.h"
#include "desktop/gui_script_ui.h"
#include "desktop/main_window.h"
#include "desktop/screenshots.h"
#include "form_choices.h"
#include "form_lookup.h"
#include "host/data/engine.h"
#include "host/data/shared_database.h"
#include "host/ui/application.h"
#include "host/ui/edit.h"
#include "host/ui/user_actions.h"
#include "host/view/model_events.h"
#include "host_options.h"
#include "last_query.h"
#include "module_host.h"
#include "session_setup.h"

namespace {

namespace fs = std::filesystem;

class PresetMenuTest : public ::testing::Test {
protected:
    PresetMenuTest() {
        fs::remove_all(folder);
        fs::create_directories(folder);
        demodb::BuildTestDatabase(*hostfw::OpenDatabase((folder / "test.sqlite").string(), true));
        host::HostOptions options;
        options.database = (folder / "test.sqlite").string();
        options.reportDir = EXP036_SOURCE_DIR "/reports";
        options.outputDir = folder / "output";
        options.branch = "0001";
        host::ApplySessionOptions(options);
        hostfw::Application().SetUi(&ui);
        module.emplace(EXP036_PACKAGE);
        window.emplace(*module, ui);
        ui.SetMdiArea(&window->Area());
        ui.SetDeliveryObserver([this] { host::KeepDeliveredRunAsLastQuery(*module, ui); });
        window->show();
        window->OpenForm(false);
    }
    ~PresetMenuTest() override {
        host::CloseAllForms();
        ui.SetDeliveryObserver(nullptr);
        ui.SetMdiArea(nullptr);
        window.reset();
        module.reset();
        hostfw::CloseSharedDatabase();
        hostfw::Application().SetUi(nullptr);
        fs::remove_all(folder);
    }

    static hostfw::TCustomEdit& Edit(const char* name) {
        return host::FindScriptControl<hostfw::TCustomEdit>(name, "um campo de texto");
    }
    void Dates(const std::string& from, const std::string& to) {
        hostfw::UserActions::ReplaceText(Edit("depInicial"), from);
        hostfw::UserActions::ReplaceText(Edit("depFinal"), to);
        hostfw::view::AfterModelChange();
    }
    std::pair<std::string, std::string> ShownDates() const {
        return {Edit("depInicial").Text(), Edit("depFinal").Text()};
    }

    // Opens the menu as the person does, so it lists what is kept now, and picks an entry.
    void Choose(const QString& entry) {
        auto* menu = window->findChild<QMenu*>("consultas_salvas");
        ASSERT_NE(menu, nullptr);
        emit menu->aboutToShow();
        auto* action = menu->findChild<QAction*>(entry);
        ASSERT_NE(action, nullptr) << entry.toStdString();
        ASSERT_TRUE(action->isEnabled());
        action->trigger();
    }
    // Types `text` into the next text prompt once it is on screen.
    static void AnswerPrompt(const QString& text) {
        QTimer::singleShot(0, [text] {
            auto* prompt = qobject_cast<QInputDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(prompt, nullptr);
            prompt->setTextValue(text);
            prompt->accept();
        });
    }

    const fs::path folder =
        fs::temp_directory_path() / ("exp036_presets_" + std::to_string(getpid()));
    host::Screenshots none{""};
    host::GuiScriptUi ui{nullptr, none};
    std::optional<host::ModuleHost> module;
    std::optional<host::MainWindow> window;
};

TEST_F(PresetMenuTest, AKeptChoiceIsTypedBackIntoTheForm) {
    Dates("01/02/2025", "28/02/2025");
    AnswerPrompt("Fevereiro");
    Choose("salvar");
    Dates("01/01/2025", "31/12/2025");

    Choose("aplicar:Fevereiro");
    EXPECT_EQ(ShownDates(), (std::pair<std::string, std::string>{"01/02/2025", "28/02/2025"}));
}

TEST_F(PresetMenuTest, TheOwnerRenamesSharesAndDeletesAChoiceFromTheMenu) {
    AnswerPrompt("Março");
    Choose("salvar");
    AnswerPrompt("Fechamento");
    Choose("renomear:Março");
    Choose("compartilhar:Fechamento");
    auto kept = host::AvailablePresets(host::LiveReportCode());
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].name, "Fechamento");
    EXPECT_TRUE(kept[0].shared);

    QTimer::singleShot(0, [] {
        auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(question, nullptr);
        question->button(QMessageBox::Yes)->click();
    });
    Choose("excluir:Fechamento");
    EXPECT_TRUE(host::AvailablePresets(host::LiveReportCode()).empty());
}

TEST_F(PresetMenuTest, TheLastQueryIsThatOfTheLastPreview) {
    Dates("01/03/2025", "31/03/2025");
    hostfw::UserActions::Click(host::FindScriptControl<hostfw::TControl>("sbtPreview", "um botão"));
    Dates("01/01/2025", "31/12/2025");

    Choose("ultima");
    EXPECT_EQ(ShownDates(), (std::pair<std::string, std::string>{"01/03/2025", "31/03/2025"}));
}

}  // namespace
