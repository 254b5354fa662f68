#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>

namespace appserver {

// The PROXY protocol, version 2 (HAProxy's `send-proxy-v2`): a balancer opens each connection
// with a binary header naming the client it relays, before any byte of the client's own.
// Read in two steps, never past the header: its fixed part, then the rest it announces.
inline constexpr std::size_t kProxyHeaderFixedSize = 16;

// The size of the rest of the header whose fixed part this is; nullopt when it is no PROXY
// version 2 header.
std::optional<std::size_t> ProxyHeaderRest(
    std::span<const std::uint8_t, kProxyHeaderFixedSize> fixed);

// Whom the connection relays: the source address of a PROXY command over TCP (IPv4 or IPv6); the
// balancer's own address `peer` for a LOCAL command (its health checks) or an address family the
// header does not name; nullopt for a header that contradicts itself.
std::optional<std::string> ProxiedClient(std::span<const std::uint8_t, kProxyHeaderFixedSize> fixed,
                                         std::span<const std::uint8_t> rest,
                                         const std::string& peer);

}  // namespace appserver
