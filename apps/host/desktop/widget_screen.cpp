#include "desktop/widget_screen.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QWidget>

#include "desktop/gui_script_ui.h"
#include "desktop/key_input.h"
#include "desktop/main_window.h"
#include "desktop/screenshots.h"
#include "host/ui/application.h"
#include "host/ui/user_actions.h"
#include "host/view/control_view.h"
#include "host/view/model_events.h"
#include "host/view/qt_host_ui.h"
#include "scripts/script_error.h"

namespace host {
namespace {

using hostfw::view::RunUserAction;

std::string BoolText(bool value) {
    return value ? "true" : "false";
}

// The Qt key of a character code a script presses.
void PressCode(QWidget& widget, unsigned char code) {
    switch (code) {
        case 8:
            QTest::keyClick(&widget, Qt::Key_Backspace);
            return;
        case 9:
            QTest::keyClick(&widget, Qt::Key_Tab);
            return;
        case 13:
            QTest::keyClick(&widget, Qt::Key_Return);
            return;
        default:
            TypeCharacters(widget, QString(QChar(code)));
    }
}

// The whole text selected from its start to its end with the keys.
void selectAll(QWidget& edit) {
    QTest::keyClick(&edit, Qt::Key_Home);
    QTest::keyClick(&edit, Qt::Key_End, Qt::ShiftModifier);
}

}  // namespace

WidgetScreen::WidgetScreen(MainWindow& window, hostfw::view::QtHostUi& ui, Screenshots& screenshots)
    : window_(window), ui_(ui), screenshots_(screenshots) {}

hostfw::view::ControlView& WidgetScreen::ViewOf(const hostfw::TControl& control) const {
    const hostfw::TCustomForm* form = hostfw::GetParentForm(control);
    hostfw::view::FormView* view = form != nullptr ? ui_.Windows().ViewOf(*form) : nullptr;
    hostfw::view::ControlView* shown = view != nullptr ? view->ViewOf(control) : nullptr;
    if (shown == nullptr)
        throw ScriptError("o controle '" + control.Name() + "' não está numa janela aberta.");
    return *shown;
}

QWidget& WidgetScreen::WidgetOf(const hostfw::TControl& control) const {
    if (const auto* form = dynamic_cast<const hostfw::TCustomForm*>(&control)) {
        if (QWidget* window = ui_.Windows().WindowOf(*form))
            return *window;
        throw ScriptError("a janela '" + control.Name() + "' não está aberta.");
    }
    return ViewOf(control).Widget();
}

void WidgetScreen::Open(ModuleHost& /*module*/, bool modal) {
    window_.OpenForm(modal);
}

void WidgetScreen::Focus(hostfw::TWinControl& control) {
    if (control.Focused())
        return;
    QWidget& widget = ViewOf(control).FocusWidget();
    if (dynamic_cast<hostfw::TCustomEdit*>(&control) != nullptr) {
        QTest::mouseClick(&widget, Qt::LeftButton);
    } else if (dynamic_cast<hostfw::TButtonControl*>(&control) != nullptr) {
        // Pressed, then released off the box: the focus moves there and nothing toggles.
        QTest::mousePress(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(4, widget.height() / 2));
        QTest::mouseRelease(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(-4, -4));
    } else if (auto* combo = qobject_cast<QComboBox*>(&widget)) {
        // A click opens the list; Escape closes it with nothing chosen.
        QTest::mouseClick(combo, Qt::LeftButton);
        if (combo->view()->isVisible())
            QTest::keyClick(combo->view(), Qt::Key_Escape);
    } else {
        // Nothing else takes the focus: the toolkit says so as it would to any user.
        ScriptScreen::Focus(control);
    }
}

void WidgetScreen::Type(hostfw::TCustomEdit& edit, const std::string& text) {
    QWidget& widget = ViewOf(edit).FocusWidget();
    if (!edit.Focused()) {
        // Clicked into, then the old text selected, as the toolkit's focus leaves it.
        Focus(edit);
        selectAll(widget);
    }
    for (const QChar c : QString::fromStdString(text)) {
        // A key that moved the focus away sends the rest nowhere, as in the model.
        if (!edit.Focused())
            return;
        // A typed tab, backspace or return is that key, as a person presses it.
        if (c.unicode() < 0x20)
            PressCode(widget, static_cast<unsigned char>(c.unicode()));
        else
            TypeCharacters(widget, QString(c));
    }
}

void WidgetScreen::PressKey(hostfw::TWinControl& control, unsigned char code) {
    Focus(control);
    if (control.Focused())
        PressCode(ViewOf(control).FocusWidget(), code);
}

void WidgetScreen::Click(hostfw::TControl& control) {
    QWidget& widget = ViewOf(control).Widget();
    if (!widget.isVisible() || !widget.isEnabled())
        return;  // nothing to click on: the model ignores it as well
    QTest::mouseClick(&widget, Qt::LeftButton, Qt::NoModifier, QPoint(4, widget.height() / 2));
}

void WidgetScreen::Select(hostfw::TComboBox& combo, int index) {
    auto* widget = qobject_cast<QComboBox*>(&ViewOf(combo).FocusWidget());
    if (widget == nullptr || index < 0 || index >= widget->count()) {
        // No person can choose an item the list does not have: the toolkit refuses it as it
        // does headless.
        ScriptScreen::Select(combo, index);
        hostfw::view::AfterModelChange();
        return;
    }
    // The list opened with a click, the item reached with the arrow keys and taken with Enter.
    if (!combo.Focused() || !widget->view()->isVisible())
        QTest::mouseClick(widget, Qt::LeftButton);
    QAbstractItemView* list = widget->view();
    if (!combo.Focused() || !list->isVisible())
        return;
    list->setCurrentIndex(widget->model()->index(std::max(0, widget->currentIndex()), 0));
    while (list->currentIndex().row() != index) {
        const int before = list->currentIndex().row();
        QTest::keyClick(list, list->currentIndex().row() < index ? Qt::Key_Down : Qt::Key_Up);
        if (list->currentIndex().row() == before)
            break;
    }
    QTest::keyClick(list, Qt::Key_Return);
}

void WidgetScreen::ReplaceText(hostfw::TCustomEdit& edit, const std::string& text) {
    Focus(edit);
    if (!edit.Focused())
        return;
    QWidget& widget = ViewOf(edit).FocusWidget();
    selectAll(widget);
    if (text.empty())
        QTest::keyClick(&widget, Qt::Key_Backspace);
    else
        Type(edit, text);
}

void WidgetScreen::Close(hostfw::TCustomForm& form) {
    if (QWidget* window = ui_.Windows().WindowOf(form))
        window->close();
    else
        ScriptScreen::Close(form);
}

void WidgetScreen::Reactivate(hostfw::TCustomForm& form) {
    RunUserAction([&] { hostfw::UserActions::Reactivate(form); });
}

void WidgetScreen::Check(Shown what, const hostfw::TControl* control, const std::string& value) {
    if (what == Shown::Focus) {
        if (control == nullptr)
            return;
        QWidget& expected = ViewOf(*control).FocusWidget();
        // The window's own focus, whether or not the window system made it the active one.
        const QWidget* focused = expected.window()->focusWidget();
        if (focused != &expected) {
            // A widget of no control has no name: its class says what it is.
            std::string shown = "nenhum";
            if (focused != nullptr) {
                shown = focused->objectName().isEmpty() ? focused->metaObject()->className()
                                                        : focused->objectName().toStdString();
            }
            throw ScriptError("o modelo tem o foco em '" + value + "', a janela em '" + shown +
                              "'.");
        }
        return;
    }
    std::string shown;
    if (dynamic_cast<const hostfw::TCustomForm*>(control) != nullptr) {
        // A form is its window: its caption is the title, its state the window's.
        const QWidget& window = WidgetOf(*control);
        shown = what == Shown::Enabled ? BoolText(window.isEnabled())
                                       : window.windowTitle().toStdString();
    } else {
        shown = ShownByView(ViewOf(*control), what);
    }
    if (shown != value) {
        throw ScriptError("o modelo de '" + control->Name() + "' tem \"" + value +
                          "\", a janela mostra \"" + shown + "\".");
    }
}

std::string WidgetScreen::ShownByView(const hostfw::view::ControlView& view, Shown what) {
    std::string shown;
    switch (what) {
        case Shown::Text:
        case Shown::Caption:
            shown = view.ShownText();
            break;
        case Shown::Enabled:
            shown = BoolText(!view.Widget().testAttribute(Qt::WA_ForceDisabled));
            break;
        case Shown::Checked:
            shown = BoolText(view.ShownChecked());
            break;
        case Shown::Focus:
            break;
    }
    return shown;
}

void WidgetScreen::Expected(const hostfw::TControl* control) {
    if (control == nullptr)
        return;
    QWidget& window = *WidgetOf(*control).window();
    // Pictured as a person sees it: active, its focus drawn. A dialog that just closed gives
    // the activation back through the event loop, which a script line does not wait for.
    if (screenshots_.Enabled() && QApplication::activeModalWidget() == nullptr &&
        !window.isActiveWindow()) {
        window.activateWindow();
        if (!QTest::qWaitForWindowActive(&window, 1000))
            throw ScriptError("a janela não ficou ativa para a foto.");
    }
    screenshots_.Take(window);
    if (const QStringList faults = WindowFaults(window); !faults.isEmpty())
        throw ScriptError("na janela: " + faults.join(QStringLiteral("; ")).toStdString() + ".");
}

void WidgetScreen::ChooseMenu(const std::vector<std::string>& path) {
    // An entry reads as shown, without its shortcut mark and what follows two blanks (the
    // owner or "compartilhada" beside a saved choice's name).
    const auto shownAs = [](const QAction& action, const std::string& wanted) {
        const QString text = action.text().remove(QLatin1Char('&'));
        const QString name = QString::fromStdString(wanted);
        return text == name || text.startsWith(name + QStringLiteral("  "));
    };
    const auto find = [&](const QList<QAction*>& actions, const std::string& wanted,
                          const std::string& where) -> QAction& {
        for (QAction* action : actions) {
            if (shownAs(*action, wanted))
                return *action;
        }
        throw ScriptError("o menu " + where + " não tem '" + wanted + "'.");
    };
    QAction* entry = &find(window_.menuBar()->actions(), path[0], "principal");
    std::vector<QMenu*> opened;
    for (std::size_t i = 1; i < path.size(); ++i) {
        QMenu* menu = entry->menu();
        if (menu == nullptr)
            throw ScriptError("'" + path[i - 1] + "' não abre um menu.");
        // Opened as a click opens it: its entries are read afresh.
        emit menu->aboutToShow();
        menu->popup(window_.mapToGlobal(QPoint(0, 0)));
        opened.push_back(menu);
        if (i == 1)
            screenshots_.Take(*menu);
        entry = &find(menu->actions(), path[i], "'" + path[i - 1] + "'");
    }
    for (auto it = opened.rbegin(); it != opened.rend(); ++it)
        (*it)->hide();
    if (entry->menu() != nullptr)
        throw ScriptError("'" + path.back() + "' abre um menu; diga qual item dele.");
    if (!entry->isEnabled())
        throw ScriptError("'" + path.back() + "' está desabilitado.");
    entry->trigger();
    hostfw::view::AfterModelChange();
}

}  // namespace host
