// The clerk's day without a mouse, in process: every command of the form, the pickers and the
// preview answers its key, and every window says what each of its widgets is to assistive
// technology.
#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QMessageBox>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QStatusBar>
#include <QTableView>

#include "host/ui/std_controls.h"
#include "host/ui/user_actions.h"
#include "host/view/list_picker_dialog.h"
#include "host/view/preview_window.h"
#include "host/view/row_search_dialog.h"
#include "host/view/shortcuts_dialog.h"
#include "host/view/speed_button_view.h"
#include "unit/desktop/desktop_fixture.h"

namespace {

using hostfw::view::ListPickerDialog;
using hostfw::view::RowSearchDialog;

class KeyboardTest : public desktoptest::DesktopTest {
protected:
    KeyboardTest() : DesktopTest("exp036_keyboard") {}

    void FocusOn(const char* name) {
        auto& control = Named<hostfw::TWinControl>(name);
        hostfw::view::RunUserAction([&] { hostfw::UserActions::Focus(control); });
        ASSERT_TRUE(control.Focused()) << name;
    }
    hostfw::view::SpeedButtonView& ButtonView(const char* name) {
        hostfw::TCustomForm* form = host::FindLiveForm(context.Application());
        return dynamic_cast<hostfw::view::SpeedButtonView&>(
            *ui.Windows().ViewOf(*form)->ViewNamed(name));
    }
};

// Every widget of a window that takes the focus, as assistive technology walks the window,
// without a name: "class (role)".
QStringList Unnamed(QWidget& window) {
    QStringList unnamed;
    std::function<void(QAccessibleInterface*, int)> walk = [&](QAccessibleInterface* node,
                                                               int depth) {
        if (node == nullptr || depth > 40)
            return;
        const QAccessible::State state = node->state();
        if (state.focusable && !state.invisible && node->text(QAccessible::Name).isEmpty()) {
            QObject* object = node->object();
            unnamed << (object != nullptr ? QString::fromLatin1(object->metaObject()->className()) +
                                                QLatin1Char(' ') + object->objectName()
                                          : QStringLiteral("?")) +
                           QStringLiteral(" (") + QString::number(node->role()) +
                           QStringLiteral(")");
        }
        // A table's cells are its rows of data: the first ones tell enough.
        const int children = std::min(node->childCount(), 60);
        for (int i = 0; i < children; ++i)
            walk(node->child(i), depth + 1);
    };
    walk(QAccessible::queryAccessibleInterface(&window), 0);
    return unnamed;
}

TEST_F(KeyboardTest, TheFieldsTakeTheirLabelsAndTheCommandsSayTheirKeys) {
    const auto nameOf = [&](const char* control) {
        return QAccessible::queryAccessibleInterface(&WidgetOf(control))->text(QAccessible::Name);
    };
    EXPECT_EQ(nameOf("edtCdFilial"), QString("Filial"));
    EXPECT_EQ(nameOf("depInicial"), QString("Inicial"));
    EXPECT_EQ(nameOf("depFinal"), QString("Final"));
    EXPECT_EQ(nameOf("edtNmFilial"), QString::fromUtf8("Filial (descrição)"));

    const auto keyOf = [&](const char* button) {
        QAccessibleInterface* node = QAccessible::queryAccessibleInterface(&ButtonView(button));
        QAccessibleActionInterface* actions = node->actionInterface();
        EXPECT_NE(actions, nullptr) << button;
        return actions != nullptr
                   ? actions->keyBindingsForAction(QAccessibleActionInterface::pressAction())
                   : QStringList();
    };
    EXPECT_EQ(keyOf("sbtPreview"), QStringList("F5"));
    EXPECT_EQ(keyOf("sbtPrint"), QStringList("Ctrl+P"));
    EXPECT_EQ(keyOf("btnCli"), QStringList("F3"));
    EXPECT_EQ(QAccessible::queryAccessibleInterface(&ButtonView("btnCli"))->text(QAccessible::Name),
              QString("Pesquisar Cliente"));
    EXPECT_TRUE(ButtonView("sbtPreview").toolTip().contains("F5"));
}

TEST_F(KeyboardTest, AClerkPicksClientsAndPreviewsWithTheKeysAlone) {
    // F3 in the branch field opens its search; Escape leaves it.
    FocusOn("edtCdFilial");
    bool searched = false;
    WhenShown([&](QWidget& shown) {
        searched = dynamic_cast<RowSearchDialog*>(&shown) != nullptr;
        QTest::keyClick(&shown, Qt::Key_Escape);
    });
    QTest::keyClick(&WidgetOf("edtCdFilial"), Qt::Key_F3);
    EXPECT_TRUE(searched);

    // Down from "Todos" chooses "Lista"; F3 there opens the client picker, where ↓ leaves the
    // filter, Space marks, Enter confirms.
    FocusOn("rdbTCli");
    QTest::keyClick(&WidgetOf("rdbTCli"), Qt::Key_Down);
    EXPECT_TRUE(Named<hostfw::TRadioButton>("rdbLCli").Checked());
    EXPECT_TRUE(Named<hostfw::TRadioButton>("rdbLCli").Focused());
    EXPECT_TRUE(QTest::qWaitFor([&] { return WidgetOf("rdbLCli").hasFocus(); }))
        << "the screen shows where the form put the focus, the search closed";
    QString shownCount;
    WhenShown([&](QWidget& shown) {
        auto& picker = dynamic_cast<ListPickerDialog&>(shown);
        QTest::keyClick(&picker.Rows().FilterBox(), Qt::Key_Down);
        QWidget* list = picker.focusWidget();
        EXPECT_EQ(list, &picker.Rows().Table());
        QTest::keyClick(list, Qt::Key_Space);
        QTest::keyClick(list, Qt::Key_Down);
        QTest::keyClick(list, Qt::Key_Space);
        shownCount = picker.CountLabel().text();
        QTest::keyClick(list, Qt::Key_Return);
    });
    QTest::keyClick(&WidgetOf("rdbLCli"), Qt::Key_F3);
    EXPECT_TRUE(shownCount.startsWith("2 de ")) << shownCount.toStdString();
    QLabel* beside = ButtonView("btnCli").CountLabel();
    ASSERT_NE(beside, nullptr);
    EXPECT_TRUE(beside->isVisible());
    EXPECT_EQ(beside->text(), QString("(2)")) << "the count beside Lista, the picker closed";

    // Ctrl+Enter previews; so does F5.
    QTest::keyClick(&WidgetOf("rdbLCli"), Qt::Key_Return, Qt::ControlModifier);
    QTRY_COMPARE(ui.Previews().size(), std::size_t{1});
    window->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&*window));
    QTest::keyClick(&WidgetOf("rdbLCli"), Qt::Key_F5);
    QTRY_COMPARE(ui.Previews().size(), std::size_t{2});
    EXPECT_EQ(window->focusWidget(), &WidgetOf("rdbLCli")) << "the focus stays in the form";
}

TEST_F(KeyboardTest, AltAndTheUnderlinedLetterGoesThroughTheForm) {
    FocusOn("depInicial");
    // "Pendente" shows its P underlined: Alt+P goes there and ticks the box off, as a click.
    EXPECT_EQ(dynamic_cast<QAbstractButton&>(WidgetOf("ckbPend")).text(), QString("&Pendente"));
    QTest::keyClick(&WidgetOf("depInicial"), Qt::Key_P, Qt::AltModifier);
    EXPECT_TRUE(Named<hostfw::TWinControl>("ckbPend").Focused());
    EXPECT_FALSE(Named<hostfw::TCheckBox>("ckbPend").Checked());
    // "Filial" shows its F: Alt+F takes the focus to the field the label names.
    QTest::keyClick(&WidgetOf("ckbPend"), Qt::Key_F, Qt::AltModifier);
    EXPECT_TRUE(Named<hostfw::TWinControl>("edtCdFilial").Focused());
}

TEST_F(KeyboardTest, WithoutAnyPrinterImprimirSaysWhereThePdfIsAndOffersItsFolder) {
    setenv("CUPS_SERVER", (folder / "sem-cups.sock").c_str(), 1);
    QString said;
    bool offered = false;
    WhenShown([&](QWidget& shown) {
        auto* box = dynamic_cast<QMessageBox*>(&shown);
        ASSERT_NE(box, nullptr);
        said = box->text();
        offered = box->findChild<QPushButton*>("abrir_pasta") != nullptr;
        box->button(QMessageBox::Ok)->click();
    });
    QTest::keyClick(&WidgetOf("edtCdFilial"), Qt::Key_P, Qt::ControlModifier);
    unsetenv("CUPS_SERVER");
    EXPECT_TRUE(
        said.startsWith(QString::fromUtf8("Nenhuma impressora disponível: o relatório "
                                          "ficou no arquivo ")))
        << said.toStdString();
    EXPECT_TRUE(offered) << "the message offers to open the output folder";
    EXPECT_TRUE(window->statusBar()->currentMessage().startsWith(QString::fromUtf8("Nenhuma")));
}

TEST_F(KeyboardTest, EscapeClosesTheFormAndF1ListsTheKeys) {
    FocusOn("depInicial");
    bool listed = false;
    WhenShown([&](QWidget& shown) {
        listed = dynamic_cast<hostfw::view::ShortcutsDialog*>(&shown) != nullptr;
        QTest::keyClick(&shown, Qt::Key_Escape);
    });
    QTest::keyClick(&WidgetOf("depInicial"), Qt::Key_F1);
    EXPECT_TRUE(listed);
    QTest::keyClick(&WidgetOf("depInicial"), Qt::Key_Escape);
    EXPECT_EQ(host::FindLiveForm(context.Application()), nullptr);
}

TEST_F(KeyboardTest, EveryWindowAndDialogNamesWhatTakesTheFocus) {
    EXPECT_EQ(Unnamed(*window), QStringList()) << "main window with the form";
    const auto unnamedIn = [&](auto open) {
        QStringList found;
        bool shown = false;
        WhenShown([&](QWidget& dialog) {
            shown = true;
            found = Unnamed(dialog);
            QTest::keyClick(&dialog, Qt::Key_Escape);
        });
        open();
        EXPECT_TRUE(shown);
        return found;
    };
    FocusOn("edtCdFilial");
    EXPECT_EQ(unnamedIn([&] { QTest::keyClick(&WidgetOf("edtCdFilial"), Qt::Key_F3); }),
              QStringList())
        << "branch search";
    hostfw::view::RunUserAction([&] { hostfw::UserActions::Click(Named("rdbLCli")); });
    EXPECT_EQ(unnamedIn([&] { ButtonView("btnCli").Press(); }), QStringList()) << "picker";
    EXPECT_EQ(unnamedIn([&] { QTest::keyClick(&WidgetOf("edtCdFilial"), Qt::Key_F1); }),
              QStringList())
        << "keys";
    EXPECT_EQ(unnamedIn([&] { ButtonView("sbtPreview").Press(); }), QStringList())
        << "the refusal of a list left empty";
    hostfw::view::RunUserAction([&] { hostfw::UserActions::Click(Named("rdbTCli")); });
    ButtonView("sbtPreview").Press();
    ASSERT_EQ(ui.Previews().size(), 1u);
    hostfw::view::PreviewWindow& preview = *ui.Previews().front();
    EXPECT_EQ(Unnamed(preview), QStringList()) << "preview";
    QPrinter printer;
    const auto print = preview.MakePrintDialog(printer);
    print->show();
    EXPECT_EQ(Unnamed(*print), QStringList()) << "print dialog";
}

TEST_F(KeyboardTest, APickersCellsAndMarksReachAssistiveTechnology) {
    hostfw::view::RunUserAction([&] { hostfw::UserActions::Click(Named("rdbLCli")); });
    QString cell;
    QString mark;
    WhenShown([&](QWidget& shown) {
        auto& picker = dynamic_cast<ListPickerDialog&>(shown);
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(&picker.Rows().Table());
        QAccessibleTableInterface* cells = table->tableInterface();
        ASSERT_NE(cells, nullptr);
        mark = cells->cellAt(0, 0)->text(QAccessible::Name);
        cell = cells->cellAt(0, 2)->text(QAccessible::Name);
        EXPECT_EQ(cell,
                  picker.Model().data(picker.Model().index(0, 2), Qt::DisplayRole).toString());
        picker.reject();
    });
    ButtonView("btnCli").Press();
    EXPECT_FALSE(cell.isEmpty());
    EXPECT_EQ(mark, QString::fromUtf8("não marcada"));
}

}  // namespace
