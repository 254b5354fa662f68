// The menu "Consultas salvas" of the main window, on the real package and a small database:
// a choice kept from the form is done again through the form's widgets, and so is the last
// query once a preview reached the person.
#include <QAction>
#include <QComboBox>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>

#include "choices/choice_store.h"
#include "choices/live_choice.h"
#include "desktop/save_choice_dialog.h"
#include "host/base_form/form_choice.h"
#include "host/ui/user_actions.h"
#include "unit/desktop/desktop_fixture.h"

namespace {

class PresetMenuTest : public desktoptest::DesktopTest {
protected:
    PresetMenuTest() : DesktopTest("exp036_presets") {}

    hostfw::TCustomEdit& Edit(const char* name) {
        return host::FindScriptControl<hostfw::TCustomEdit>(context.Application(), name,
                                                            "um campo de texto");
    }
    void Dates(const std::string& from, const std::string& to) {
        hostfw::UserActions::ReplaceText(Edit("depInicial"), from);
        hostfw::UserActions::ReplaceText(Edit("depFinal"), to);
        hostfw::view::AfterModelChange();
    }
    std::pair<std::string, std::string> ShownDates() {
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
    // Types `text` into the next text prompt, or the name of the choice to save, once it is
    // on screen.
    static void AnswerPrompt(const QString& text) {
        WhenShown([text](QWidget& shown) {
            if (auto* save = dynamic_cast<host::SaveChoiceDialog*>(&shown)) {
                save->Name().setText(text);
                save->accept();
                return;
            }
            auto* prompt = qobject_cast<QInputDialog*>(&shown);
            ASSERT_NE(prompt, nullptr);
            prompt->setTextValue(text);
            prompt->accept();
        });
    }
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
    auto kept = host::AvailablePresets(context, host::LiveReportCode(context.Application()));
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_EQ(kept[0].name, "Fechamento");
    EXPECT_TRUE(kept[0].shared);

    QTimer::singleShot(0, [] {
        auto* question = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(question, nullptr);
        question->button(QMessageBox::Yes)->click();
    });
    Choose("excluir:Fechamento");
    EXPECT_TRUE(
        host::AvailablePresets(context, host::LiveReportCode(context.Application())).empty());
}

TEST_F(PresetMenuTest, AChoiceKeptWithADateRuleTakesItsDatesFromTheDayItIsUsed) {
    Dates("01/02/2025", "28/02/2025");
    WhenShown([](QWidget& shown) {
        auto& save = dynamic_cast<host::SaveChoiceDialog&>(shown);
        EXPECT_EQ(save.Dates().itemText(0),
                  QString::fromUtf8("As datas digitadas (01/02/2025 a 28/02/2025)"));
        save.Name().setText(QStringLiteral("Fechamento"));
        save.Dates().setCurrentIndex(save.Dates().findText(QString::fromUtf8("Mês anterior")));
        save.accept();
    });
    Choose("salvar");
    const hostfw::FormChoice kept =
        host::LoadPreset(context, host::LiveReportCode(context.Application()), "Fechamento");
    const hostfw::ControlChoice* from = hostfw::FindControlChoice(kept, "depInicial");
    ASSERT_NE(from, nullptr);
    EXPECT_EQ(from->dateRule, std::optional<std::string>("Mês anterior"));
}

TEST_F(PresetMenuTest, TheLastQueryIsThatOfTheLastPreview) {
    Dates("01/03/2025", "31/03/2025");
    hostfw::UserActions::Click(Named("sbtPreview"));
    Dates("01/01/2025", "31/12/2025");

    Choose("ultima");
    EXPECT_EQ(ShownDates(), (std::pair<std::string, std::string>{"01/03/2025", "31/03/2025"}));
}

}  // namespace
