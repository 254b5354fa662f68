#include "call_dispatcher.h"

#include "call_failure.h"
#include "host/data/sign_in_refused.h"
#include "host/wire/wire_codec.h"

namespace appserver {
namespace {

using hostfw::CallReply;
using hostfw::CallRequest;
using hostfw::OleVariant;
using hostfw::Variant;

std::string NotOffered(const std::string& objectName) {
    return "O objeto " + objectName + " não é oferecido por este servidor de aplicação.";
}

// The by-reference arguments' final values, in order of position.
std::vector<Variant> ByRefValues(const CallRequest& request, const std::vector<Variant>& args) {
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

DispatchResult ErrorResult(int status, const std::string& message) {
    return {status, hostfw::EncodeErrorReply(message), std::nullopt, "erro: " + message,
            std::nullopt};
}

DispatchResult CallDispatcher::DescribeObject(const std::string& objectName) const {
    const auto object = registry_.find(objectName);
    if (object == registry_.end())
        return ErrorResult(404, NotOffered(objectName));
    hostfw::ObjectInfo info{object->first, {}};
    for (const auto& [name, method] : object->second)
        info.methods.push_back(name);
    return {200, hostfw::EncodeObjectInfo(info), std::nullopt, "ok", std::nullopt};
}

DispatchResult CallDispatcher::Call(const std::string& objectName, const std::string& method,
                                    std::string_view body, const Caller* caller,
                                    std::stop_token clientGone) const {
    try {
        const auto object = registry_.find(objectName);
        if (object == registry_.end())
            return ErrorResult(404, NotOffered(objectName));
        const auto entry = object->second.find(method);
        if (entry == object->second.end()) {
            return ErrorResult(404, "O objeto " + objectName + " não tem o método " + method + ".");
        }
        const CallRequest request = hostfw::DecodeCallRequest(body);
        std::vector<Variant> args;
        const CallReply reply{Run(entry->second, request, args, caller, clientGone),
                              ByRefValues(request, args)};
        DispatchResult result{200, hostfw::EncodeCallReply(reply), std::nullopt, "ok",
                              std::nullopt};
        if (reply.result.IsDataPacket())
            result.rows = reply.result.AsDataPacket().rows.size();
        return result;
    } catch (const hostfw::WireFormatError& error) {
        return ErrorResult(400, std::string("Pedido malformado: ") + error.what());
    } catch (const CallFailure& failure) {
        return ErrorResult(failure.Status(), failure.what());
    } catch (const hostfw::SignInRefused&) {
        // The caller was disabled, or the password changed, since the sign-in.
        return ErrorResult(401, "A entrada não vale mais no banco de dados; entre de novo.");
    } catch (const hostfw::QueryStopped&) {
        return ErrorResult(kClientGoneStatus,
                           "Chamada cancelada: o cliente desistiu antes da resposta.");
    } catch (const hostfw::QueryTimeout&) {
        return ErrorResult(503, CallTimedOut(timeout_).what());
    } catch (const hostfw::Exception& error) {
        return ErrorResult(500, error.what());
    } catch (const std::exception& error) {
        return ErrorResult(500,
                           std::string("Falha interna do servidor de aplicação: ") + error.what());
    }
}

OleVariant CallDispatcher::Run(const RemoteMethod& method, const CallRequest& request,
                               std::vector<Variant>& args, const Caller* caller,
                               const std::stop_token& clientGone) const {
    const auto start = CallContext::Clock::now();
    for (int attempt = 1;; ++attempt) {
        args.clear();
        for (const auto& arg : request.args)
            args.push_back(arg.value);
        std::shared_ptr<hostfw::Engine> lent;  // the caller's connection, taken on first use
        // The first try reads on the standby when there is one fit for it.
        const bool onStandby = attempt == 1 && caller != nullptr && caller->lendOnStandby;
        const auto engine = [&]() -> hostfw::Engine& {
            if (caller == nullptr)
                return engines_.ForCurrentThread();
            if (!lent)
                lent = onStandby ? caller->lendOnStandby() : caller->lend();
            return *lent;
        };
        try {
            const CallContext context(engine, timeout_, start,
                                      caller != nullptr ? &caller->person : nullptr, clientGone);
            return method(args, context);
        } catch (const hostfw::Exception& failure) {
            // Whatever failed on the standby (a statement cancelled by a conflict with
            // recovery, the standby gone) runs once more on the primary and is never shown; not
            // the method's own refusal, which the primary would repeat, nor a call out of time.
            const bool refusal = dynamic_cast<const CallFailure*>(&failure) != nullptr ||
                                 dynamic_cast<const hostfw::QueryTimeout*>(&failure) != nullptr;
            if (onStandby && !refusal && !clientGone.stop_requested())
                continue;
            // Every method offered only reads, so one whose database connection broke under it
            // (the database server restarted) runs once more, on a new connection.
            const bool broken =
                caller != nullptr ? lent && lent->IsBroken() : engines_.BrokenOnCurrentThread();
            // Nobody waits for a call given up: it is not run again.
            if (attempt > 1 || !broken || clientGone.stop_requested())
                throw;
        }
    }
}

}  // namespace appserver
