#include "host/services/mens_erro.h"

#include "host/core/exception.h"
#include "host/ui/application.h"
#include "host/ui/host_ui.h"

namespace hostfw {

void MensErro(const std::string& text, bool abort) {
    Application().Ui().ShowMessage(text, MessageKind::Error);
    if (abort)
        Abort();
}

}  // namespace hostfw
