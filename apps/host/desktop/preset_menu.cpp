#include "desktop/preset_menu.h"

#include <QMessageBox>
#include <ostream>

#include "choices/choice_on_screen.h"
#include "choices/choice_store.h"
#include "choices/live_choice.h"
#include "choices/option_choice.h"
#include "desktop/gui_script_ui.h"
#include "desktop/main_window.h"
#include "desktop/screenshots.h"
#include "desktop/widget_screen.h"
#include "host/view/model_events.h"
#include "module/form_lookup.h"
#include "scripts/run_status.h"
#include "scripts/scripted_ui.h"
#include "scripts/transcript.h"
#include "session/host_identity.h"

namespace host {

PresetMenu::PresetMenu(ModuleHost& module, GuiScriptUi& ui, MainWindow& window)
    : QMenu(QStringLiteral("&Consultas salvas"), &window),
      module_(module),
      ui_(ui),
      window_(window) {
    setObjectName(QStringLiteral("consultas_salvas"));
    // The list changes with what the person and colleagues keep: read it each time it opens.
    connect(this, &QMenu::aboutToShow, this, [this] { Rebuild(); });
    Rebuild();
}

void PresetMenu::Rebuild() {
    clear();
    const bool formOpen = FindLiveForm(module_.Application()) != nullptr;
    QAction* save =
        addAction(QStringLiteral("Salvar consulta como…"), this, [this] { SaveAs(false); });
    save->setObjectName(QStringLiteral("salvar"));
    QAction* share = addAction(QStringLiteral("Salvar e compartilhar com a filial…"), this,
                               [this] { SaveAs(true); });
    share->setObjectName(QStringLiteral("salvar_compartilhada"));
    QAction* last =
        addAction(QStringLiteral("Repetir última consulta"), this, [this] { Apply(std::nullopt); });
    last->setObjectName(QStringLiteral("ultima"));
    for (QAction* action : {save, share, last})
        action->setEnabled(formOpen);
    addSeparator();
    if (!formOpen) {
        addAction(QStringLiteral("(abra a Consulta Lançamentos)"))->setEnabled(false);
        return;
    }
    Guarded([&] {
        const auto presets =
            AvailablePresets(module_.Context(), LiveReportCode(module_.Application()));
        if (presets.empty())
            addAction(QStringLiteral("(nenhuma consulta salva)"))->setEnabled(false);
        const std::string me = CurrentChoiceOwner(module_.Context().Session()).person;
        for (const hostfw::StoredChoice& preset : presets) {
            if (preset.person == me)
                AddOwnEntry(preset);
            else
                AddColleagueEntry(preset);
        }
    });
}

void PresetMenu::AddOwnEntry(const hostfw::StoredChoice& preset) {
    const QString name = QString::fromStdString(preset.name);
    QMenu* own = addMenu(preset.shared ? name + QStringLiteral("  (compartilhada)") : name);
    own->setObjectName(QStringLiteral("consulta:") + name);
    own->addAction(QStringLiteral("Aplicar"), this, [this, preset] { Apply(preset.name); })
        ->setObjectName(QStringLiteral("aplicar:") + name);
    own->addAction(QStringLiteral("Renomear…"), this, [this, preset] { Rename(preset.name); })
        ->setObjectName(QStringLiteral("renomear:") + name);
    QAction* share =
        own->addAction(QStringLiteral("Compartilhada com a filial"), this, [this, preset] {
            Guarded([&] {
                SharePreset(module_.Context(), LiveReportCode(module_.Application()), preset.name,
                            !preset.shared);
            });
        });
    share->setObjectName(QStringLiteral("compartilhar:") + name);
    share->setCheckable(true);
    share->setChecked(preset.shared);
    own->addSeparator();
    own->addAction(QStringLiteral("Excluir…"), this, [this, preset] { Delete(preset.name); })
        ->setObjectName(QStringLiteral("excluir:") + name);
}

void PresetMenu::AddColleagueEntry(const hostfw::StoredChoice& preset) {
    // A colleague's choice is applied, never changed: only its owner may.
    const QString name = QString::fromStdString(preset.name);
    addAction(name + QStringLiteral("  (de ") + QString::fromStdString(preset.person) +
                  QStringLiteral(")"),
              this, [this, preset] { Apply(preset.name); })
        ->setObjectName(QStringLiteral("aplicar:") + name);
}

void PresetMenu::Rename(const std::string& name) {
    const auto newName =
        ui_.PromptText("Consultas salvas", "Novo nome para \"" + name + "\":", name);
    if (!newName || *newName == name)
        return;
    Guarded([&] {
        RenamePreset(module_.Context(), LiveReportCode(module_.Application()), name, *newName);
    });
}

void PresetMenu::Delete(const std::string& name) {
    const auto answer =
        QMessageBox::question(&window_, QStringLiteral("Consultas salvas"),
                              QStringLiteral("Excluir a consulta salva \"") +
                                  QString::fromStdString(name) + QStringLiteral("\"?"),
                              QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    if (answer == QMessageBox::Yes)
        Guarded(
            [&] { DeletePreset(module_.Context(), LiveReportCode(module_.Application()), name); });
}

void PresetMenu::SaveAs(bool shared) {
    const hostfw::FormChoice typed = CaptureLiveChoice(module_.Application(), std::nullopt);
    // A date left blank is kept blank; the dialog shows its place.
    const auto shown = [](const std::optional<std::string>& day) {
        return QString::fromStdString(day && !day->empty() ? *day : "__/__/____");
    };
    const QString dates =
        shown(OptionText(typed, "from")) + QStringLiteral(" a ") + shown(OptionText(typed, "to"));
    const auto choice = ui_.AskChoiceToSave(dates);
    if (!choice)
        return;
    Guarded([&] {
        SavePreset(module_.Context(), LiveReportCode(module_.Application()), choice->name, shared,
                   CaptureLiveChoice(module_.Application(), choice->period));
        window_.ShowNotice(
            "Consulta \"" + choice->name + "\" salva" +
            (choice->period ? " com as datas de \"" + *choice->period + "\"." : "."));
    });
}

void PresetMenu::Apply(const std::optional<std::string>& name) {
    Guarded([&] {
        const std::string report = LiveReportCode(module_.Application());
        Replay(name ? LoadPreset(module_.Context(), report, *name)
                    : LoadLastQuery(module_.Context(), report));
    });
}

void PresetMenu::Replay(const hostfw::FormChoice& choice) {
    // The desktop keeps no transcript of a replay; its failure is told to the person.
    std::ostream discarded(nullptr);
    Transcript transcript(discarded);
    RunStatus status;
    ScriptedUi scripted(transcript, status);
    Screenshots none("");
    WidgetScreen screen(window_, ui_, none);
    ScriptContext context{scripted, module_, screen};
    // The form's messages are for whoever reads the others: the person, or a script run.
    const GuiScriptUi::Attachment before = ui_.Attached();
    ui_.Attach({&scripted,
                before.scripted != nullptr ? before.reader : GuiScriptUi::MessageReader::Person});
    try {
        ApplyChoice(context, choice);
    } catch (const std::exception& failure) {
        status.Fail(failure.what());
    }
    ui_.Attach(before);
    hostfw::view::AfterModelChange();
    if (status.Failed()) {
        ui_.ShowMessage("A consulta salva não pôde ser aplicada inteira: " + status.Failure()->text,
                        hostfw::MessageKind::Warning);
    }
}

template <class Step>
void PresetMenu::Guarded(Step&& step) {
    try {
        step();
    } catch (const std::exception& failure) {
        ui_.ShowMessage(failure.what(), hostfw::MessageKind::Warning);
    }
}

}  // namespace host
