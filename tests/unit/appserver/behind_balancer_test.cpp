// A server behind a balancer: the client's address from the PROXY protocol (version 2) of a
// trusted balancer only, for the per-address cap and the audit; the health check a balancer
// asks, and the draining after SIGTERM.
#include <gtest/gtest.h>

#include <array>
#include <chrono>
#include <csignal>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "host/data/engine.h"
#include "invoice_database.h"
#include "proxy_header.h"
#include "server_options.h"
#include "support/raw_http.h"
#include "support/server_process.h"

namespace servertest {
namespace {

using Bytes = std::vector<std::uint8_t>;

// A header as HAProxy's send-proxy-v2 writes it: `command` 1 (PROXY) or 0 (LOCAL), `family`
// 0x11 (TCP over IPv4) or 0x21 (over IPv6), the addresses and ports as given.
Bytes ProxyHeader(std::uint8_t command, std::uint8_t family, const Bytes& addresses) {
    Bytes header = {0x0D, 0x0A, 0x0D, 0x0A, 0x00, 0x0D, 0x0A, 0x51, 0x55, 0x49, 0x54, 0x0A};
    header.push_back(static_cast<std::uint8_t>(0x20 | command));
    header.push_back(family);
    header.push_back(static_cast<std::uint8_t>(addresses.size() >> 8));
    header.push_back(static_cast<std::uint8_t>(addresses.size() & 0xFF));
    header.insert(header.end(), addresses.begin(), addresses.end());
    return header;
}

// From 10.1.2.3 port 50000 to 127.0.0.1 port 8211.
Bytes Ipv4Addresses(std::uint8_t last = 3) {
    return {10, 1, 2, last, 127, 0, 0, 1, 0xC3, 0x50, 0x20, 0x13};
}

std::optional<std::string> ClientOf(const Bytes& header) {
    if (header.size() < appserver::kProxyHeaderFixedSize)
        return std::nullopt;
    const std::span<const std::uint8_t, appserver::kProxyHeaderFixedSize> fixed(
        header.data(), appserver::kProxyHeaderFixedSize);
    if (!appserver::ProxyHeaderRest(fixed))
        return std::nullopt;
    return appserver::ProxiedClient(
        fixed, std::span(header).subspan(appserver::kProxyHeaderFixedSize), "127.0.0.9");
}

TEST(ProxyHeader, NamesTheRelayedClientAndRefusesWhatIsNoHeader) {
    EXPECT_EQ(ClientOf(ProxyHeader(1, 0x11, Ipv4Addresses())), "10.1.2.3");
    Bytes v6(36, 0);
    v6[0] = 0x20;
    v6[1] = 0x01;
    v6[2] = 0x0d;
    v6[3] = 0xb8;
    v6[15] = 0x07;
    EXPECT_EQ(ClientOf(ProxyHeader(1, 0x21, v6)), "2001:db8::7");
    Bytes mapped(36, 0);
    mapped[10] = mapped[11] = 0xFF;
    mapped[12] = 192;
    mapped[13] = 168;
    mapped[15] = 4;
    EXPECT_EQ(ClientOf(ProxyHeader(1, 0x21, mapped)), "192.168.0.4");
    // The balancer's own health checks: LOCAL, or no family, name the balancer itself.
    EXPECT_EQ(ClientOf(ProxyHeader(0, 0x00, {})), "127.0.0.9");
    EXPECT_EQ(ClientOf(ProxyHeader(1, 0x00, {})), "127.0.0.9");
    // Extra bytes after the addresses (HAProxy's TLVs) are allowed for.
    Bytes withTlv = Ipv4Addresses();
    withTlv.insert(withTlv.end(), {0x04, 0x00, 0x01, 0x00});
    EXPECT_EQ(ClientOf(ProxyHeader(1, 0x11, withTlv)), "10.1.2.3");

    Bytes httpRequest(16, 'G');
    EXPECT_FALSE(ClientOf(httpRequest));
    Bytes version1 = ProxyHeader(1, 0x11, Ipv4Addresses());
    version1[12] = 0x11;
    EXPECT_FALSE(ClientOf(version1));
    Bytes unknownCommand = ProxyHeader(1, 0x11, Ipv4Addresses());
    unknownCommand[12] = 0x22;
    EXPECT_FALSE(ClientOf(unknownCommand));
    EXPECT_FALSE(ClientOf(ProxyHeader(1, 0x11, Bytes(4, 1)))) << "addresses cut short";
    EXPECT_FALSE(ClientOf(ProxyHeader(1, 0x21, Ipv4Addresses()))) << "IPv6 needs 36 bytes";
}

TEST(ServerOptions, TrustedProxiesAreAddressesAndDrainIsBounded) {
    const auto options = appserver::ParseServerOptions(
        {"--db", "x", "--trusted-proxy", "127.0.0.1,::1", "--trusted-proxy=10.0.0.5"});
    ASSERT_TRUE(options);
    EXPECT_EQ(options->trustedProxies, (std::set<std::string>{"127.0.0.1", "::1", "10.0.0.5"}));
    for (const std::vector<std::string>& bad :
         {std::vector<std::string>{"--db", "x", "--trusted-proxy", "balanceador"},
          std::vector<std::string>{"--db", "x", "--trusted-proxy", "127.0.0.1,"},
          std::vector<std::string>{"--db", "x", "--drain", "301"}}) {
        EXPECT_THROW(appserver::ParseServerOptions(bad), std::invalid_argument) << bad[3];
    }
}

class BehindBalancer : public ::testing::Test {
protected:
    std::string Body() const { return GetNotaBody("0001", 45658, 45716); }

    // A GetNota request on a connection from `from` that starts with `header`.
    std::optional<HttpReply> CallWith(const Bytes& header, const std::string& from = "") {
        RawConnection connection(server->Host(), server->Port(), from);
        connection.Send(
            std::string_view(reinterpret_cast<const char*>(header.data()), header.size()));
        connection.Send(HttpRequest("POST", "/exp03600.rdmRelConsLanc/GetNota", Body(), false));
        return connection.ReadReply();
    }

    std::vector<std::string> AuditOrigins() const {
        const auto rows = hostfw::OpenDatabase(database.Path())
                              ->Query("SELECT ORIGEM FROM AUDITORIA ORDER BY rowid", {});
        std::vector<std::string> origins;
        while (rows->Next())
            origins.push_back(rows->Value(0).AsString());
        return origins;
    }

    SqliteInvoiceDatabase database;
    std::optional<ServerProcess> server;
};

TEST_F(BehindBalancer, TheAddressATrustedBalancerNamesIsAuditedAndCapped) {
    server.emplace(std::vector<std::string>{"--db", database.Path(), "--trusted-proxy", "127.0.0.1",
                                            "--max-client-connections", "1"});
    const auto relayed = CallWith(ProxyHeader(1, 0x11, Ipv4Addresses(3)));
    ASSERT_TRUE(relayed);
    EXPECT_EQ(relayed->status, 200) << relayed->body;

    // The cap counts the relayed client, not the balancer: one connection of 10.1.2.4 held
    // open leaves 10.1.2.5 free, and a second one of 10.1.2.4 is turned away.
    RawConnection held(server->Host(), server->Port());
    const Bytes first = ProxyHeader(1, 0x11, Ipv4Addresses(4));
    held.Send(std::string_view(reinterpret_cast<const char*>(first.data()), first.size()));
    std::this_thread::sleep_for(std::chrono::milliseconds(300));
    const auto other = CallWith(ProxyHeader(1, 0x11, Ipv4Addresses(5)));
    ASSERT_TRUE(other);
    EXPECT_EQ(other->status, 200) << other->body;
    const auto same = CallWith(ProxyHeader(1, 0x11, Ipv4Addresses(4)));
    ASSERT_TRUE(same);
    EXPECT_EQ(same->status, 503) << same->body;

    // From the trusted balancer without a header: not served under its address.
    EXPECT_FALSE(CallWith({})) << "closed without a reply";
    ASSERT_EQ(server->Stop(SIGTERM), 0);
    EXPECT_EQ(AuditOrigins(), (std::vector<std::string>{"10.1.2.3", "10.1.2.5"}));
}

TEST_F(BehindBalancer, AHeaderFromAPeerNotTrustedIsNotBelieved) {
    server.emplace(
        std::vector<std::string>{"--db", database.Path(), "--trusted-proxy", "127.0.0.1"});
    const auto forged = CallWith(ProxyHeader(1, 0x11, Ipv4Addresses(3)), "127.0.0.2");
    ASSERT_TRUE(forged);
    EXPECT_EQ(forged->status, 400) << "the header is no HTTP: " << forged->body;
    RawConnection plain(server->Host(), server->Port(), "127.0.0.2");
    plain.Send(HttpRequest("POST", "/exp03600.rdmRelConsLanc/GetNota", Body(), false));
    ASSERT_EQ(plain.ReadReply().value_or(HttpReply{}).status, 200);
    ASSERT_EQ(server->Stop(SIGTERM), 0);
    // The refusal and the call, both under the peer's own address.
    EXPECT_EQ(AuditOrigins(), (std::vector<std::string>{"127.0.0.2", "127.0.0.2"}));
}

TEST_F(BehindBalancer, HealthIsReadyUntilSigtermThenDrainsWhileCallsAreStillAnswered) {
    server.emplace(std::vector<std::string>{"--db", database.Path(), "--drain", "3"});
    const auto health = [&] {
        RawConnection connection(server->Host(), server->Port());
        connection.Send(HttpRequest("GET", "/health", "", false));
        return connection.ReadReply().value_or(HttpReply{});
    };
    const HttpReply ready = health();
    EXPECT_EQ(ready.status, 200) << ready.body;
    EXPECT_NE(ready.body.find("pronto"), std::string::npos) << ready.body;

    RawConnection kept(server->Host(), server->Port());
    kept.Send(HttpRequest("POST", "/exp03600.rdmRelConsLanc/GetNota", Body(), true));
    ASSERT_EQ(kept.ReadReply().value_or(HttpReply{}).status, 200);

    ASSERT_EQ(kill(server->Pid(), SIGTERM), 0);
    std::this_thread::sleep_for(std::chrono::milliseconds(500));
    const HttpReply draining = health();
    EXPECT_EQ(draining.status, 503) << draining.body;
    EXPECT_NE(draining.body.find("drenando"), std::string::npos) << draining.body;
    // A call on a kept connection is still answered, and the connection closed after it, so
    // the client's next call goes to another server.
    kept.Send(HttpRequest("POST", "/exp03600.rdmRelConsLanc/GetNota", Body(), true));
    const HttpReply last = kept.ReadReply().value_or(HttpReply{});
    EXPECT_EQ(last.status, 200) << last.body;
    EXPECT_NE(last.head.find("Connection: close"), std::string::npos) << last.head;
    EXPECT_EQ(server->Stop(SIGTERM), 0);
    // Health checks are not calls: the audit has the two GetNota only.
    EXPECT_EQ(AuditOrigins().size(), 2u);
}

}  // namespace
}  // namespace servertest
