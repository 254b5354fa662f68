#include "choices/choice_replay.h"

#include <sstream>

#include "host/session/session.h"
#include "host/ui/edit.h"
#include "host/ui/host_context.h"
#include "module/form_lookup.h"
#include "report/report_script.h"

namespace host {

void ReplaySavedChoice(ScriptContext& context, const SavedChoice& choice) {
    // A bound session keeps its own branch whatever the choice says.
    const std::optional<std::string> branch =
        hostfw::ModuFili(hostfw::ProcessContext().Session()) ? std::nullopt : choice.branch;
    const std::size_t typed =
        FindScriptControl<hostfw::TCustomEdit>("edtCdFilial", "um campo de texto").Text().size();
    std::istringstream lines(ChoiceLines(ReportChoicesOf(choice, hostfw::Now()), branch, typed));
    for (std::string line; !context.ui.Status().Failed() && std::getline(lines, line);)
        ExecuteScriptLine(context, line);
}

}  // namespace host
