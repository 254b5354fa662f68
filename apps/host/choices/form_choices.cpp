#include "choices/form_choices.h"

#include "choices/status_boxes.h"
#include "host/controls/date_edit_plus.h"
#include "host/session/session.h"
#include "host/ui/edit.h"
#include "host/ui/host_context.h"
#include "host/ui/std_controls.h"
#include "module/form_lookup.h"

namespace host {
namespace {

// The field's text; "" when it holds nothing but the blanks of its mask, which is kept too:
// a field left blank comes back blank.
std::string Typed(const char* name) {
    const std::string& text = FindScriptControl<hostfw::TCustomEdit>(name, "um campo").Text();
    if (text.find_first_not_of(" /") == std::string::npos)
        return {};
    return text;
}

bool Checked(const char* name) {
    return FindScriptControl<hostfw::TButtonControl>(name, "uma caixa de marcação").Checked();
}

// ",0001,0007," as the keys the person picked.
std::vector<std::string> KeysOf(const std::string& list) {
    std::vector<std::string> keys;
    std::size_t start = 0;
    while (start < list.size()) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        if (comma > start)
            keys.push_back(list.substr(start, comma - start));
        start = comma + 1;
    }
    return keys;
}

std::optional<std::vector<std::string>> PickedList(const ModuleHost& module, const char* radio,
                                                   const char* variable) {
    if (!Checked(radio))
        return std::nullopt;
    return KeysOf(module.ReadText(variable));
}

}  // namespace

SavedChoice CaptureChoices(const ModuleHost& module, const std::optional<std::string>& period) {
    SavedChoice choice;
    // A bound session works in its own branch whatever a choice says.
    if (!hostfw::ModuFili(hostfw::ProcessContext().Session()))
        choice.branch = Typed("edtCdFilial");
    const int variant =
        FindScriptControl<hostfw::TComboBox>("cbbReportNames", "uma caixa de combinação")
            .ItemIndex();
    if (variant >= 0)
        choice.variant = variant;
    if (period) {
        choice.period = period;
    } else {
        choice.from = Typed("depInicial");
        choice.to = Typed("depFinal");
    }
    if (FindScriptControl<hostfw::TButtonControl>(kStatusBoxes[0].name, "uma caixa de marcação")
            .IsUsable()) {
        std::string letters;
        for (const StatusBox& box : kStatusBoxes) {
            if (Checked(box.name))
                letters += box.letter;
        }
        choice.statuses = letters;
    }
    choice.clients = PickedList(module, "rdbLCli", "stListaCliente");
    choice.destinations = PickedList(module, "rdbLFil", "stFilialDest");
    choice.invoices = PickedList(module, "rdbLNota", "stNota");
    return choice;
}

std::string LiveReportCode() {
    return FindScriptControl<hostfw::TLabel>("lblCodRel", "um rótulo").Caption();
}

}  // namespace host
