// Clients that trickle, hold connections or all come at once must not keep the server from
// serving everyone else.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <latch>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "host/wire/wire_codec.h"
#include "invoice_database.h"
#include "support/failure_of.h"
#include "support/invoice_client.h"
#include "support/raw_http.h"
#include "support/server_process.h"

namespace servertest {
namespace {

using ::testing::HasSubstr;

constexpr const char* kObjectPath = "/exp03600.rdmRelConsLanc";
constexpr const char* kGetNotaPath = "/exp03600.rdmRelConsLanc/GetNota";
// The invoice test rows of branch 0001 lie between these days (2025-01-01 and 2025-02-28).
constexpr double kFirstDay = 45658;
constexpr double kLastDay = 45716;

// Sends one more byte of a request on each connection every tick, until told to stop or the
// bytes run out; a few hundred ticks at most.
class Trickle {
public:
    Trickle(const ServerProcess& server, int connections, std::chrono::milliseconds tick) {
        for (int i = 0; i < connections; ++i)
            connections_.push_back(std::make_unique<RawConnection>(server.Host(), server.Port()));
        thread_ = std::thread([this, tick] {
            const std::string request =
                HttpRequest("POST", kGetNotaPath, GetNotaBody("0001", kFirstDay, kLastDay));
            for (std::size_t sent = 0; sent < request.size() && !stop_; ++sent) {
                for (auto& connection : connections_)
                    connection->Send(request.substr(sent, 1));
                std::this_thread::sleep_for(tick);
            }
        });
    }
    ~Trickle() {
        stop_ = true;
        thread_.join();
    }

    // True once the server has closed every trickling connection.
    bool AllClosed() {
        for (auto& connection : connections_) {
            if (!connection->ClosedByServer())
                return false;
        }
        return true;
    }

private:
    std::vector<std::unique_ptr<RawConnection>> connections_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

class HostileClientsTest : public ::testing::Test {
protected:
    void Start(std::vector<std::string> options) {
        options.insert(options.begin(), {"--db", database_.Path()});
        server_ = std::make_unique<ServerProcess>(options);
    }

    SqliteInvoiceDatabase database_;
    std::unique_ptr<ServerProcess> server_;
};

TEST_F(HostileClientsTest, TricklingClientsDoNotKeepOthersWaiting) {
    // Twice as many trickling connections as workers.
    Start({"--threads", "4"});
    Trickle trickle(*server_, 8, std::chrono::milliseconds(200));
    std::this_thread::sleep_for(std::chrono::milliseconds(500));

    InvoiceClient client(server_->Host(), server_->Port());
    // A bound for a reply that never comes, so a server held by the trickle fails the test
    // instead of hanging it.
    client.Connection().SetTimeouts({std::chrono::seconds(3), std::chrono::seconds(5)});
    for (int call = 0; call < 20; ++call) {
        GetNotaArgs args;
        ASSERT_EQ(client.Entries(args).size(), 6u) << "call " << call;
    }
}

TEST_F(HostileClientsTest, ARequestMustArriveWholeWithinTheRequestTimeout) {
    Start({"--request-timeout", "1"});
    // The request would take over 40 s to arrive; the test gives up after 20 s.
    Trickle trickle(*server_, 2, std::chrono::milliseconds(100));
    bool closed = false;
    for (int look = 0; look < 200 && !closed; ++look) {
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
        closed = trickle.AllClosed();
    }
    EXPECT_TRUE(closed);
}

TEST_F(HostileClientsTest, OneClientAddressHoldsAtMostItsShareOfConnections) {
    Start({"--max-client-connections", "3", "--keep-alive", "60"});
    std::vector<std::unique_ptr<RawConnection>> held;
    for (int i = 0; i < 3; ++i)
        held.push_back(std::make_unique<RawConnection>(server_->Host(), server_->Port()));

    RawConnection extra(server_->Host(), server_->Port());
    ASSERT_TRUE(extra.Send(HttpRequest("GET", kObjectPath, "")));
    const auto refused = extra.ReadReply();
    ASSERT_TRUE(refused.has_value());
    EXPECT_EQ(refused->status, 503);
    EXPECT_THAT(hostfw::DecodeCallReply(refused->body).result.ErrorMessage(),
                HasSubstr("limite de 3"));
    EXPECT_FALSE(extra.ReadReply().has_value()) << "the refused connection is closed";

    // Another client address is served meanwhile.
    RawConnection other(server_->Host(), server_->Port(), "127.0.0.2");
    ASSERT_TRUE(other.Send(HttpRequest("GET", kObjectPath, "")));
    const auto served = other.ReadReply();
    ASSERT_TRUE(served.has_value());
    EXPECT_EQ(served->status, 200);

    // A connection given back makes room again, once the server has seen it go.
    held.pop_back();
    int status = 0;
    for (int attempt = 0; attempt < 50 && status != 200; ++attempt) {
        RawConnection again(server_->Host(), server_->Port());
        again.Send(HttpRequest("GET", kObjectPath, ""));
        const auto reply = again.ReadReply();
        status = reply ? reply->status : -1;
        if (status != 200)
            std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    EXPECT_EQ(status, 200);
}

// The listen backlog must take a crowd: 200 clients connecting at the same moment, each making
// three calls on its connection, all answered.
TEST_F(HostileClientsTest, TwoHundredClientsConnectingAtOnceAreAllServed) {
    Start({"--max-client-connections", "256"});
    constexpr int kClients = 200;
    constexpr int kCalls = 3;
    std::latch ready(kClients);
    std::atomic<int> failures{0};
    const std::string call =
        HttpRequest("POST", kGetNotaPath, GetNotaBody("0001", kFirstDay, kLastDay));
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([&] {
            ready.arrive_and_wait();
            try {
                RawConnection connection(server_->Host(), server_->Port());
                for (int i = 0; i < kCalls; ++i) {
                    const bool sent = connection.Send(call);
                    const auto reply = sent ? connection.ReadReply() : std::nullopt;
                    if (!reply || reply->status != 200)
                        ++failures;
                }
            } catch (const std::exception&) {
                failures += kCalls;
            }
        });
    }
    for (std::thread& client : clients)
        client.join();
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace servertest
