#include "host/services/mens_erro.h"

#include "host/core/exception.h"
#include "host/ui/host_context.h"
#include "host/ui/host_dialogs.h"

namespace hostfw {

void MensErro(const TComponent& from, const std::string& text, bool abort) {
    HostContextOf(from).Application().Dialogs().ShowMessage(text, MessageKind::Error);
    if (abort)
        Abort();
}

}  // namespace hostfw
