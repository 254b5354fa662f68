#include "choices/last_query.h"

#include "choices/choice_store.h"
#include "choices/live_choice.h"

namespace host {

void KeepDeliveredRunAsLastQuery(hostfw::HostContext& context, hostfw::HostDialogs& dialogs) {
    try {
        const hostfw::TApplication& application = context.Application();
        KeepLastQuery(context, LiveReportCode(application),
                      CaptureLiveChoice(application, std::nullopt));
    } catch (const std::exception& e) {
        dialogs.ShowMessage(std::string("A última consulta não foi guardada: ") + e.what(),
                            hostfw::MessageKind::Warning);
    }
}

}  // namespace host
