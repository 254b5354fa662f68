#include "host/net/http_call_client.h"

#include <httplib.h>

#include <algorithm>
#include <mutex>

#include "host/core/exception.h"
#include "host/wire/wire_codec.h"
#include "host/wire/wire_protocol.h"

namespace hostfw {
namespace {

// "host:port", with an IPv6 literal in brackets so the port stays apart.
std::string addressText(const std::string& host, int port) {
    const bool ipv6 = host.find(':') != std::string::npos;
    return (ipv6 ? "[" + host + "]" : host) + ":" + std::to_string(port);
}

[[noreturn]] void refuseAddress(const std::string& host, int port, const std::string& reason) {
    throw Exception("Não foi possível conectar ao servidor de aplicação em " +
                    addressText(host, port) + " (" + reason + ").");
}

void checkHost(const std::string& host, int port) {
    if (host.empty())
        refuseAddress(host, port, "endereço não informado");
    // Control characters would end up in the request line; a URL is not a host name.
    const bool control = std::any_of(host.begin(), host.end(), [](char c) {
        return static_cast<unsigned char>(c) < 0x20 || c == 0x7f;
    });
    if (control || host.find_first_of("/ ") != std::string::npos)
        refuseAddress(host, port, "informe só o nome ou o IP do servidor");
}

void checkPort(const std::string& host, int port) {
    if (port < 1 || port > 65535)
        refuseAddress(host, port, "porta fora do intervalo de 1 a 65535");
}

std::string duration(std::chrono::milliseconds bound) {
    if (bound.count() < 1000 || bound.count() % 1000 != 0)
        return std::to_string(bound.count()) + " ms";
    return std::to_string(bound.count() / 1000) + " s";
}

std::string describe(httplib::Error error, const NetTimeouts& timeouts) {
    switch (error) {
        case httplib::Error::Connection:
        case httplib::Error::ConnectionTimeout:
            return "conexão recusada, endereço inalcançável ou sem resposta em " +
                   duration(timeouts.connect);
        case httplib::Error::Read:
            return "a resposta não chegou em " + duration(timeouts.read) + " ou a conexão caiu";
        case httplib::Error::Write:
            return "falha ao enviar o pedido";
        default:
            return httplib::to_string(error);
    }
}

}  // namespace

struct HttpCallClient::Impl {
    Impl(const std::string& host, int port, NetTimeouts limits)
        : address(addressText(host, port)), timeouts(limits), client(host, port) {
        client.set_keep_alive(true);
        // Headers and body go out in separate writes: without this each call waits on a
        // delayed acknowledgement.
        client.set_tcp_nodelay(true);
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

HttpCallClient::HttpCallClient(const std::string& host, int port, NetTimeouts timeouts) {
    checkHost(host, port);
    checkPort(host, port);
    CheckNetTimeouts(timeouts);
    impl_ = std::make_unique<Impl>(host, port, timeouts);
}

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
