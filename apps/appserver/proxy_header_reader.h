#pragma once

#include <boost/asio/ip/tcp.hpp>

#include <chrono>
#include <functional>
#include <optional>
#include <string>

namespace appserver {

// Called on the I/O thread with the socket and whom it relays; nullopt when the header was
// missing, malformed or late (the socket is then closed by whoever drops it).
using ProxiedClientReady =
    std::function<void(boost::asio::ip::tcp::socket, std::optional<std::string> client)>;

// Reads the PROXY version 2 header a trusted balancer sends first on a connection from `peer`,
// within `deadline`, without reading a byte past it, so the client's own request is left whole.
void ReceiveProxyHeader(boost::asio::ip::tcp::socket socket, std::string peer,
                        std::chrono::seconds deadline, ProxiedClientReady ready);

}  // namespace appserver
