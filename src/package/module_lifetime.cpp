#include <array>
#include <utility>

#include "form/cli_exp03600.h"
#include "host/components/published_variables.h"
#include "package/report_options.h"

namespace Cli_exp03600 {
namespace {

constexpr const char* kUnitName = "Cli_exp03600";

// The unit's texts by name: emptied on load, released on unload, published in between.
const std::array<std::pair<const char*, std::string*>, 6> kUnitTexts = {{
    {"stRel", &stRel},
    {"stListaCliente", &stListaCliente},
    {"stFilialDest", &stFilialDest},
    {"stNota", &stNota},
    {"stStatusPedido", &stStatusPedido},
    {"stOrigem", &stOrigem},
}};

// Load and unload hooks of the package: the module-level state starts empty on every load
// and its strings are released on unload, whatever a previous load left behind. In between
// the unit's variables and report options are published by name, as the host reads them.
void InitializeModuleState() {
    frmRelConsLanc = nullptr;
    boIdCriado = false;
    std::vector<PublishedVariable> published{{"boIdCriado", &boIdCriado}};
    for (const auto& [name, text] : kUnitTexts) {
        text->clear();
        published.push_back({name, text});
    }
    PublishUnitVariables(kUnitName, std::move(published));
    PublishFormReportOptions();
}

void ReleaseModuleState() {
    WithdrawUnitVariables(kUnitName);
    WithdrawFormReportOptions();
    for (const auto& [name, text] : kUnitTexts)
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
