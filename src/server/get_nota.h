#pragma once

#include <string>

#include "host/core/date_time.h"
#include "host/net/dispatch.h"

namespace Cli_exp03600 {

// The invoice list request to rdmRelConsLanc: three arguments by value, six by reference.
// Each by-reference variable holds, after the reply, what the server left in it.
hostfw::OleVariant GetNota(hostfw::TDispatch& appServer, const std::string& cdFilial,
                           hostfw::TDateTime dataInicial, hostfw::TDateTime dataFinal,
                           std::string& listaCliente, std::string& tCliente,
                           std::string& filialDest, std::string& tFilialDest, std::string& status,
                           std::string& rel);

}  // namespace Cli_exp03600
