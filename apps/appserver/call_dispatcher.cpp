#include "call_dispatcher.h"

#include "call_failure.h"
#include "host/wire/wire_codec.h"

namespace appserver {
namespace {

using hostfw::CallReply;
using hostfw::CallRequest;
using hostfw::OleVariant;
using hostfw::Variant;

std::string notOffered(const std::string& objectName) {
    return "O objeto " + objectName + " não é oferecido por este servidor de aplicação.";
}

// The by-reference arguments' final values, in order of position.
std::vector<Variant> byRefValues(const CallRequest& request, const std::vector<Variant>& args) {
    if (args.size() != request.args.size()) {
        throw hostfw::Exception("O método mudou o número de argumentos da chamada (" +
                                std::to_string(request.args.size()) + " para " +
                                std::to_string(args.size()) + ").");
    }
    std::vector<Variant> values;
    for (std::size_t i = 0; i < args.size(); ++i) {
        if (request.args[i].byRef)
            values.push_back(args[i]);
    }
    return values;
}

}  // namespace

DispatchResult errorResult(int status, const std::string& message) {
    return {status, hostfw::encodeErrorReply(message), std::nullopt, "erro: " + message};
}

DispatchResult CallDispatcher::describeObject(const std::string& objectName) const {
    const auto object = registry_.find(objectName);
    if (object == registry_.end())
        return errorResult(404, notOffered(objectName));
    hostfw::ObjectInfo info{object->first, {}};
    for (const auto& [name, method] : object->second)
        info.methods.push_back(name);
    return {200, hostfw::encodeObjectInfo(info), std::nullopt, "ok"};
}

DispatchResult CallDispatcher::call(const std::string& objectName, const std::string& method,
                                    std::string_view body) const {
    try {
        const auto object = registry_.find(objectName);
        if (object == registry_.end())
            return errorResult(404, notOffered(objectName));
        const auto entry = object->second.find(method);
        if (entry == object->second.end()) {
            return errorResult(404, "O objeto " + objectName + " não tem o método " + method + ".");
        }
        const CallRequest request = hostfw::decodeCallRequest(body);
        std::vector<Variant> args;
        const CallReply reply{run(entry->second, request, args), byRefValues(request, args)};
        DispatchResult result{200, hostfw::encodeCallReply(reply), std::nullopt, "ok"};
        if (reply.result.isDataPacket())
            result.rows = reply.result.asDataPacket().rows.size();
        return result;
    } catch (const hostfw::WireFormatError& error) {
        return errorResult(400, std::string("Pedido malformado: ") + error.what());
    } catch (const CallFailure& failure) {
        return errorResult(failure.status(), failure.what());
    } catch (const hostfw::QueryTimeout&) {
        return errorResult(503, callTimedOut(timeout_).what());
    } catch (const hostfw::Exception& error) {
        return errorResult(500, error.what());
    } catch (const std::exception& error) {
        return errorResult(500,
                           std::string("Falha interna do servidor de aplicação: ") + error.what());
    }
}

OleVariant CallDispatcher::run(const RemoteMethod& method, const CallRequest& request,
                               std::vector<Variant>& args) const {
    const auto start = CallContext::Clock::now();
    for (int attempt = 1;; ++attempt) {
        args.clear();
        for (const auto& arg : request.args)
            args.push_back(arg.value);
        try {
            const CallContext context(
                [this]() -> hostfw::Engine& { return engines_.forCurrentThread(); }, timeout_,
                start);
            return method(args, context);
        } catch (const hostfw::Exception&) {
            // Every method offered only reads, so one whose database connection broke under it
            // (the database server restarted) runs once more, on a new connection.
            if (attempt > 1 || !engines_.brokenOnCurrentThread())
                throw;
        }
    }
}

}  // namespace appserver
