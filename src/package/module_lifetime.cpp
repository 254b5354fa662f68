#include "form/cli_exp03600.h"

namespace Cli_exp03600 {
namespace {

// Load and unload hooks of the package: the module-level state starts empty on every load
// and its strings are released on unload, whatever a previous load left behind.
void InitializeModuleState() {
    frmRelConsLanc = nullptr;
    boIdCriado = false;
    for (std::string* text :
         {&stRel, &stListaCliente, &stFilialDest, &stNota, &stStatusPedido, &stOrigem})
        text->clear();
}

void ReleaseModuleState() {
    for (std::string* text :
         {&stRel, &stListaCliente, &stFilialDest, &stNota, &stStatusPedido, &stOrigem})
        std::string().swap(*text);
}

__attribute__((constructor)) void onPackageLoad() {
    InitializeModuleState();
}
__attribute__((destructor)) void onPackageUnload() {
    ReleaseModuleState();
}

}  // namespace
}  // namespace Cli_exp03600
