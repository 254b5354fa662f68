#include "host/net/dispatch.h"

#include <algorithm>

#include "host/core/exception.h"

namespace hostfw {

OleVariant TDispatch::Invoke(const std::string& method, std::vector<DispatchArg>& args) {
    CallRequest request;
    for (const DispatchArg& arg : args)
        request.args.push_back({arg.Value(), arg.IsByRef()});

    CallReply reply = call_(method, request);
    if (reply.result.IsError())
        return reply.result;

    const auto byRefCount = static_cast<size_t>(std::count_if(
        args.begin(), args.end(), [](const DispatchArg& arg) { return arg.IsByRef(); }));
    // Checked before any variable is written, so a bad reply leaves them all as they were.
    if (reply.byRef.size() != byRefCount) {
        throw Exception("Resposta inválida do servidor de aplicação para " + method + ": " +
                        std::to_string(reply.byRef.size()) + " valores por referência para " +
                        std::to_string(byRefCount) + " argumentos por referência.");
    }
    auto value = reply.byRef.begin();
    for (const DispatchArg& arg : args) {
        if (arg.IsByRef())
            arg.Receive(*value++);
    }
    return std::move(reply.result);
}

}  // namespace hostfw
