#include "form/cli_exp03600.h"

// Module-level state: initialised when the package loads, released when it unloads. The strings
// are constant-initialised, so they exist before the load hook runs, whatever the order in
// which the package's files are linked.
namespace Cli_exp03600 {

TfrmRelConsLanc* frmRelConsLanc = nullptr;
bool boIdCriado = false;
constinit std::string stRel;
constinit std::string stListaCliente;
constinit std::string stFilialDest;
constinit std::string stNota;
constinit std::string stStatusPedido;
constinit std::string stOrigem;

}  // namespace Cli_exp03600
