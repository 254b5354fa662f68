#pragma once

#include <boost/asio/ssl/context.hpp>

#include <memory>

#include "server_options.h"

namespace appserver {

// The TLS context of a server given --tls-cert and --tls-key (TLS 1.2 or later), or nullptr for
// plain HTTP. Raises std::runtime_error naming the file that cannot be used.
std::unique_ptr<boost::asio::ssl::context> ServerTlsContext(const ServerOptions& options);

}  // namespace appserver
