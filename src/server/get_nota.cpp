#include "server/get_nota.h"

#include <vector>

namespace Cli_exp03600 {

using hostfw::DispatchArg;
using hostfw::Variant;

hostfw::OleVariant GetNota(hostfw::TDispatch& appServer, const std::string& cdFilial,
                           hostfw::TDateTime dataInicial, hostfw::TDateTime dataFinal,
                           std::string& listaCliente, std::string& tCliente,
                           std::string& filialDest, std::string& tFilialDest, std::string& status,
                           std::string& rel) {
    std::vector<DispatchArg> args{DispatchArg::ByValue(Variant(cdFilial)),
                                  DispatchArg::ByValue(Variant(dataInicial)),
                                  DispatchArg::ByValue(Variant(dataFinal)),
                                  DispatchArg::ByRef(listaCliente),
                                  DispatchArg::ByRef(tCliente),
                                  DispatchArg::ByRef(filialDest),
                                  DispatchArg::ByRef(tFilialDest),
                                  DispatchArg::ByRef(status),
                                  DispatchArg::ByRef(rel)};
    return appServer.Invoke("GetNota", args);
}

}  // namespace Cli_exp03600
