#include "choices/last_query.h"

#include "choices/choice_store.h"
#include "choices/form_choices.h"

namespace host {

void KeepDeliveredRunAsLastQuery(const ModuleHost& module, hostfw::HostUi& ui) {
    try {
        KeepLastQuery(LiveReportCode(), CaptureChoices(module, std::nullopt));
    } catch (const std::exception& e) {
        ui.ShowMessage(std::string("A última consulta não foi guardada: ") + e.what(),
                       hostfw::MessageKind::Warning);
    }
}

}  // namespace host
