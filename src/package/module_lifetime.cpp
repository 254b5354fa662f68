#include "form/cli_exp03600.h"

namespace Cli_exp03600 {
namespace {

// Load and unload hooks of the package: the module-level state starts empty on every load
// and its strings are released on unload, whatever a previous load left behind.
void initializeModuleState() {
    frmRelConsLanc = nullptr;
    boIdCriado = false;
    for (std::string* text :
         {&stRel, &stListaCliente, &stFilialDest, &stNota, &stStatusPedido, &stOrigem})
        text->clear();
}

void releaseModuleState() {
    for (std::string* text :
         {&stRel, &stListaCliente, &stFilialDest, &stNota, &stStatusPedido, &stOrigem})
        std::string().swap(*text);
}

__attribute__((constructor)) void onPackageLoad() {
    initializeModuleState();
}
__attribute__((destructor)) void onPackageUnload() {
    releaseModuleState();
}

}  // namespace
}  // namespace Cli_exp03600
