#include "choices/last_query.h"

#include "choices/choice_store.h"
#include "choices/live_choice.h"

namespace host {

void KeepDeliveredRunAsLastQuery(hostfw::HostUi& ui) {
    try {
        KeepLastQuery(LiveReportCode(), CaptureLiveChoice(std::nullopt));
    } catch (const std::exception& e) {
        ui.ShowMessage(std::string("A última consulta não foi guardada: ") + e.what(),
                       hostfw::MessageKind::Warning);
    }
}

}  // namespace host
