#include "proxy_header.h"

#include <boost/asio/ip/address.hpp>

#include <algorithm>
#include <array>

namespace appserver {
namespace {

constexpr std::array<std::uint8_t, 12> kSignature = {0x0D, 0x0A, 0x0D, 0x0A, 0x00, 0x0D,
                                                     0x0A, 0x51, 0x55, 0x49, 0x54, 0x0A};
constexpr std::uint8_t kVersion2 = 0x20;
constexpr std::uint8_t kLocal = 0x00;
constexpr std::uint8_t kProxy = 0x01;
constexpr std::uint8_t kTcpOverIpv4 = 0x11;
constexpr std::uint8_t kTcpOverIpv6 = 0x21;
// Source and destination addresses, then ports.
constexpr std::size_t kIpv4Addresses = 12;
constexpr std::size_t kIpv6Addresses = 36;

}  // namespace

std::optional<std::size_t> ProxyHeaderRest(
    std::span<const std::uint8_t, kProxyHeaderFixedSize> fixed) {
    if (!std::equal(kSignature.begin(), kSignature.end(), fixed.begin()))
        return std::nullopt;
    const std::uint8_t versionAndCommand = fixed[12];
    if ((versionAndCommand & 0xF0) != kVersion2)
        return std::nullopt;
    const std::uint8_t command = versionAndCommand & 0x0F;
    if (command != kLocal && command != kProxy)
        return std::nullopt;
    return static_cast<std::size_t>(fixed[14]) << 8 | fixed[15];
}

std::optional<std::string> ProxiedClient(std::span<const std::uint8_t, kProxyHeaderFixedSize> fixed,
                                         std::span<const std::uint8_t> rest,
                                         const std::string& peer) {
    const auto announced = ProxyHeaderRest(fixed);
    if (!announced || *announced != rest.size())
        return std::nullopt;
    if ((fixed[12] & 0x0F) == kLocal)
        return peer;
    const std::uint8_t family = fixed[13];
    if (family == kTcpOverIpv4) {
        if (rest.size() < kIpv4Addresses)
            return std::nullopt;
        boost::asio::ip::address_v4::bytes_type source{};
        std::copy_n(rest.begin(), source.size(), source.begin());
        return boost::asio::ip::address_v4(source).to_string();
    }
    if (family == kTcpOverIpv6) {
        if (rest.size() < kIpv6Addresses)
            return std::nullopt;
        boost::asio::ip::address_v6::bytes_type source{};
        std::copy_n(rest.begin(), source.size(), source.begin());
        const boost::asio::ip::address_v6 address(source);
        return address.is_v4_mapped()
                   ? boost::asio::ip::make_address_v4(boost::asio::ip::v4_mapped, address)
                         .to_string()
                   : address.to_string();
    }
    return peer;  // UNSPEC, or a socket family that names no network client
}

}  // namespace appserver
