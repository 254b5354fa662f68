#include "listen_exposure.h"

#include <boost/asio/io_context.hpp>
#include <boost/asio/ip/tcp.hpp>

namespace appserver {

bool IsLoopbackOnly(const std::string& listenHost) {
    boost::asio::io_context io;
    boost::asio::ip::tcp::resolver resolver(io);
    boost::system::error_code error;
    const auto endpoints = resolver.resolve(listenHost, "0", error);
    if (error || endpoints.empty())
        return false;
    for (const auto& entry : endpoints) {
        if (!entry.endpoint().address().is_loopback())
            return false;
    }
    return true;
}

std::optional<std::string> ExposureRefusal(const ServerOptions& options, bool tls, bool signIn) {
    if (options.insecure || (tls && signIn) || IsLoopbackOnly(options.listenHost))
        return std::nullopt;
    std::string missing;
    if (!tls)
        missing = "sem TLS (--tls-cert e --tls-key)";
    if (!signIn) {
        missing += std::string(missing.empty() ? "" : " e ") +
                   "sem entrada (banco PostgreSQL preparado com exp036-admin setup)";
    }
    return "recusado escutar em " + options.listenHost + ", fora do loopback, " + missing +
           ": qualquer um na rede leria todas as filiais. Use --insecure para aceitar o risco.";
}

}  // namespace appserver
