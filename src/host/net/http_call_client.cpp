#include "host/net/http_call_client.h"

#include <httplib.h>

#include <mutex>

#include "host/core/exception.h"
#include "host/net/wire_codec.h"
#include "host/net/wire_protocol.h"

namespace hostfw {
namespace {

std::string checkedHost(const std::string& host) {
    if (host.empty())
        throw Exception("Endereço do servidor de aplicação não informado.");
    if (host.find_first_of("/ \t\r\n") != std::string::npos) {
        throw Exception("Endereço do servidor de aplicação inválido: '" + host +
                        "' (informe só o nome ou o IP do servidor).");
    }
    return host;
}

int checkedPort(int port) {
    if (port < 1 || port > 65535) {
        throw Exception("Porta do servidor de aplicação inválida: " + std::to_string(port) +
                        " (use de 1 a 65535).");
    }
    return port;
}

std::string seconds(std::chrono::milliseconds duration) {
    const auto tenths = duration.count() / 100;
    return std::to_string(tenths / 10) +
           (tenths % 10 != 0 ? "," + std::to_string(tenths % 10) : "") + " s";
}

std::string describe(httplib::Error error, const NetTimeouts& timeouts) {
    switch (error) {
        case httplib::Error::Connection:
        case httplib::Error::ConnectionTimeout:
            return "conexão recusada, endereço inalcançável ou sem resposta em " +
                   seconds(timeouts.connect);
        case httplib::Error::Read:
            return "a resposta não chegou em " + seconds(timeouts.read) + " ou a conexão caiu";
        case httplib::Error::Write:
            return "falha ao enviar o pedido";
        default:
            return httplib::to_string(error);
    }
}

}  // namespace

struct HttpCallClient::Impl {
    Impl(const std::string& host, int port, NetTimeouts limits)
        : address(host + ":" + std::to_string(port)), timeouts(limits), client(host, port) {
        client.set_keep_alive(true);
        client.set_connection_timeout(timeouts.connect);
        client.set_read_timeout(timeouts.read);
        client.set_write_timeout(timeouts.read);
    }

    // The reply to a request that got one; raises for a transport failure.
    const httplib::Response& answered(const httplib::Result& result, const std::string& failure) {
        if (!result) {
            throw Exception(failure + " em " + address + " (" + describe(result.error(), timeouts) +
                            ").");
        }
        return result.value();
    }

    [[noreturn]] void raiseUnreadable(const httplib::Response& response,
                                      const std::string& detail) {
        throw Exception("O servidor de aplicação em " + address +
                        " enviou uma resposta inválida (estado " + std::to_string(response.status) +
                        "): " + detail);
    }

    std::string address;
    NetTimeouts timeouts;
    std::mutex mutex;
    httplib::Client client;
};

HttpCallClient::HttpCallClient(const std::string& host, int port, NetTimeouts timeouts)
    : impl_(std::make_unique<Impl>(checkedHost(host), checkedPort(port), timeouts)) {}

HttpCallClient::~HttpCallClient() = default;

const std::string& HttpCallClient::address() const {
    return impl_->address;
}

void HttpCallClient::checkObject(const std::string& objectName) {
    if (!isValidObjectName(objectName)) {
        throw Exception("Nome de objeto do servidor de aplicação inválido: '" + objectName + "'.");
    }
    const std::lock_guard lock(impl_->mutex);
    const httplib::Headers headers{{"Accept", std::string(kJsonMediaType)}};
    const httplib::Result result = impl_->client.Get(objectPath(objectName), headers);
    const auto& response =
        impl_->answered(result, "Não foi possível conectar ao servidor de aplicação");
    try {
        if (response.status != 200) {
            throw Exception("O servidor de aplicação em " + impl_->address +
                            " recusou a conexão ao objeto " + objectName + ": " +
                            decodeCallReply(response.body).result.errorMessage());
        }
        const ObjectInfo info = decodeObjectInfo(response.body);
        if (info.name != objectName) {
            throw WireFormatError("descreve o objeto " + info.name + ", não " + objectName);
        }
    } catch (const WireFormatError& error) {
        impl_->raiseUnreadable(response, error.what());
    }
}

CallReply HttpCallClient::call(const std::string& objectName, const std::string& method,
                               const CallRequest& request) {
    if (!isValidObjectName(objectName) || !isValidMethodName(method)) {
        throw Exception("Nome de objeto ou método do servidor de aplicação inválido: '" +
                        objectName + "." + method + "'.");
    }
    const std::string body = encodeCallRequest(request);
    const std::lock_guard lock(impl_->mutex);
    const httplib::Headers headers{{"Accept", std::string(kJsonMediaType)}};
    const httplib::Result result = impl_->client.Post(callPath(objectName, method), headers, body,
                                                      std::string(kJsonMediaType));
    const auto& response =
        impl_->answered(result, "Falha na chamada de " + method + " ao servidor de aplicação");
    try {
        CallReply reply = decodeCallReply(response.body);
        // Only a 200 carries a result; any other status must be an error reply.
        if (response.status != 200 && !reply.result.isError()) {
            throw WireFormatError("resultado em uma resposta de erro");
        }
        return reply;
    } catch (const WireFormatError& error) {
        impl_->raiseUnreadable(response, error.what());
    }
}

}  // namespace hostfw
