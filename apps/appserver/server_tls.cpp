#include "server_tls.h"

#include <stdexcept>

namespace appserver {

std::unique_ptr<boost::asio::ssl::context> ServerTlsContext(const ServerOptions& options) {
    namespace ssl = boost::asio::ssl;
    if (options.tlsCert.empty())
        return nullptr;
    auto context = std::make_unique<ssl::context>(ssl::context::tls_server);
    context->set_options(ssl::context::default_workarounds | ssl::context::no_sslv2 |
                         ssl::context::no_sslv3 | ssl::context::no_tlsv1 |
                         ssl::context::no_tlsv1_1 | ssl::context::single_dh_use);
    boost::system::error_code error;
    context->use_certificate_chain_file(options.tlsCert, error);
    if (error) {
        throw std::runtime_error("não foi possível usar o certificado '" + options.tlsCert +
                                 "': " + error.message() + ".");
    }
    context->use_private_key_file(options.tlsKey, ssl::context::pem, error);
    if (error) {
        throw std::runtime_error("não foi possível usar a chave '" + options.tlsKey +
                                 "' (a do certificado, em PEM): " + error.message() + ".");
    }
    return context;
}

}  // namespace appserver
