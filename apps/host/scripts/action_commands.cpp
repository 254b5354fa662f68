#include <strings.h>

#include "host/controls/date_edit_plus.h"
#include "host/ui/application.h"
#include "host/ui/edit.h"
#include "host/ui/std_controls.h"
#include "module/form_lookup.h"
#include "scripts/script_commands.h"
#include "scripts/script_error.h"
#include "session/session_values.h"

namespace host {
namespace {

void Session(ScriptContext& context, ArgumentReader& arguments) {
    if (arguments.AtEnd())
        arguments.Misused();
    while (!arguments.AtEnd()) {
        const std::string assignment = arguments.Word();
        const size_t equals = assignment.find('=');
        if (equals == std::string::npos || equals == 0)
            arguments.Misused();
        const std::string name = assignment.substr(0, equals);
        const std::string value = assignment.substr(equals + 1);
        if (strcasecmp(name.c_str(), "PreviewFile") == 0) {
            context.ui.SetPreviewFile(value);
        } else {
            AssignSessionValue(context.module.Context(), name, value);
        }
    }
}

void Open(ScriptContext& context, ArgumentReader& arguments) {
    const bool modal = arguments.OneOf({"null", "modal"}) == "modal";
    arguments.End();
    context.module.RequireLoaded();
    context.screen.Open(context.module, modal);
}

void Close(ScriptContext& context, ArgumentReader& arguments) {
    arguments.End();
    context.screen.Close(LiveForm(context.Application()));
}

void Activate(ScriptContext& context, ArgumentReader& arguments) {
    arguments.End();
    context.screen.Reactivate(LiveForm(context.Application()));
}

void Reload(ScriptContext& context, ArgumentReader& arguments) {
    arguments.End();
    context.module.Reload();
}

void Focus(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    arguments.End();
    context.screen.Focus(FindScriptControl<hostfw::TWinControl>(context.Application(), name,
                                                                "um controle que recebe foco"));
}

void Type(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    const std::string text = arguments.Text();
    arguments.End();
    context.screen.Type(
        FindScriptControl<hostfw::TCustomEdit>(context.Application(), name, "um campo de texto"),
        text);
}

void Key(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    const int code = arguments.Integer(0, 255);
    arguments.End();
    context.screen.PressKey(FindScriptControl<hostfw::TWinControl>(context.Application(), name,
                                                                   "um controle que recebe foco"),
                            static_cast<unsigned char>(code));
}

void Click(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    arguments.End();
    context.screen.Click(
        FindScriptControl<hostfw::TControl>(context.Application(), name, "um controle"));
}

void Select(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    const int index = arguments.Integer(0, 9999);
    arguments.End();
    auto& combo = FindScriptControl<hostfw::TComboBox>(context.Application(), name,
                                                       "uma caixa de combinação");
    const int items = static_cast<int>(combo.Items().size());
    if (index >= items) {
        throw ScriptError("'" + name + "' tem " + std::to_string(items) + " itens; não há o item " +
                          std::to_string(index) + ".");
    }
    context.screen.Select(combo, index);
}

void Date(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    const std::string text = arguments.Text();
    arguments.End();
    context.screen.ReplaceText(
        FindScriptControl<hostfw::TDateEditPlus>(context.Application(), name, "um campo de data"),
        text);
}

void Check(ScriptContext& context, ArgumentReader& arguments) {
    const std::string name = arguments.Word();
    const bool wanted = arguments.Boolean();
    arguments.End();
    auto& box = FindScriptControl<hostfw::TButtonControl>(context.Application(), name,
                                                          "uma caixa de marcação");
    if (box.Checked() != wanted)
        context.screen.Click(box);
    if (box.Checked() != wanted) {
        throw ScriptError(
            "'" + name + "' continua " + (wanted ? "desmarcado" : "marcado") +
            (box.IsUsable() ? " depois do clique." : ": o controle está desabilitado."));
    }
}

// menu "TÍTULO" "ITEM" ...: the main window's menu entry, through the real menus.
void Menu(ScriptContext& context, ArgumentReader& arguments) {
    std::vector<std::string> path{arguments.Text(), arguments.Text()};
    while (!arguments.AtEnd())
        path.push_back(arguments.Text());
    context.screen.ChooseMenu(path);
}

constexpr ScriptCommand kCommands[] = {
    {"session", "session NOME=VALOR ...", Session},
    {"open", "open null|modal", Open},
    {"close", "close", Close},
    {"activate", "activate", Activate},
    {"reload", "reload", Reload},
    {"focus", "focus NOME", Focus},
    {"type", "type NOME \"TEXTO\"", Type},
    {"key", "key NOME CÓDIGO", Key},
    {"click", "click NOME", Click},
    {"select", "select NOME ÍNDICE", Select},
    {"date", "date NOME \"TEXTO\"", Date},
    {"check", "check NOME true|false", Check},
    {"menu", "menu \"TÍTULO\" \"ITEM\" ...", Menu},
    {"preset",
     "preset save \"NOME\" [shared] [period \"REGRA\"] | preset apply \"NOME\"|last | "
     "preset rename \"NOME\" \"NOVO NOME\" | preset delete|share|private \"NOME\"",
     RunPresetLine},
};

}  // namespace

std::span<const ScriptCommand> ActionCommands() {
    return kCommands;
}

}  // namespace host
