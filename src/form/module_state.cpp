#include "form/cli_exp03600.h"

// Module-level state: initialised when the package loads, released when it unloads.
namespace Cli_exp03600 {

TfrmRelConsLanc* frmRelConsLanc = nullptr;
bool boIdCriado = false;
std::string stRel;
std::string stListaCliente;
std::string stFilialDest;
std::string stNota;
std::string stStatusPedido;
std::string stOrigem;

}  // namespace Cli_exp03600
