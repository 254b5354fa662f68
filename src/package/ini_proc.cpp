#include "form/cli_exp03600.h"
#include "host/ui/application.h"
#include "host/ui/package_entry.h"

namespace Cli_exp03600 {
namespace {

// Shows the form in mode "S" (embedded child window) or "M" (modal window).
void ShowForm(const std::string& mode) {
    Screen().SetCursor(crHourGlass);
    if (!boIdCriado) {
        Application().CreateForm(frmRelConsLanc);
        boIdCriado = true;
        if (mode == "S") {
            frmRelConsLanc->SetBorderStyle(TBorderStyle::bsSingle);
            frmRelConsLanc->BorderIcons().biMaximize = false;
            frmRelConsLanc->SetFormStyle(TFormStyle::fsMDIChild);
        } else {
            frmRelConsLanc->SetBorderStyle(TBorderStyle::bsDialog);
            frmRelConsLanc->BorderIcons().biMaximize = true;
        }
    }
    frmRelConsLanc->SetWindowState(TWindowState::wsNormal);
    // The style decides, not the mode: an embedded form stays non-modal.
    if (frmRelConsLanc->FormStyle() == TFormStyle::fsMDIChild) {
        frmRelConsLanc->Show();
    } else {
        frmRelConsLanc->SetBorderStyle(TBorderStyle::bsSizeable);
        frmRelConsLanc->ShowModal();
    }
    Screen().SetCursor(crDefault);
}

}  // namespace
}  // namespace Cli_exp03600

// The package's entry routine: Null asks for the embedded window, anything else for a
// modal one. A failure leaves with the cursor back to normal, so the host stays usable.
extern "C" PKG_EXPORT void IniProc(const hostfw::Variant& parameter) {
    try {
        Cli_exp03600::ShowForm(parameter.IsNull() ? "S" : "M");
    } catch (...) {
        hostfw::Screen().SetCursor(hostfw::crDefault);
        throw;
    }
}
