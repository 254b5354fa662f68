// Clients that trickle, hold connections or all come at once must not keep the server from
// serving everyone else.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <fstream>
#include <functional>
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

// How many of `calls` calls, each after `pause`, on one connection from the address `from`, got
// no answer or another than 200.
int FailedCalls(const ServerProcess& server, const std::string& from, const std::string& call,
                int calls, const std::function<void()>& pause) {
    int failed = 0;
    try {
        RawConnection connection(server.Host(), server.Port(), from);
        for (int i = 0; i < calls; ++i) {
            pause();
            const auto reply = connection.Send(call) ? connection.ReadReply() : std::nullopt;
            if (!reply || reply->status != 200)
                ++failed;
        }
    } catch (const std::exception&) {
        return calls;
    }
    return failed;
}

// The resident memory of a process, in bytes, from /proc.
long long ResidentBytes(pid_t pid) {
    std::ifstream status("/proc/" + std::to_string(pid) + "/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmRSS:", 0) == 0)
            return std::stoll(line.substr(6)) * 1024;
    }
    return -1;
}

class HostileClientsTest : public ::testing::Test {
protected:
    void Start(std::vector<std::string> options, ServerProgram program = ServerProgram::Shipped) {
        options.insert(options.begin(), {"--db", database_.Path()});
        server_ = std::make_unique<ServerProcess>(options, program);
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
    EXPECT_THAT(refused->head, HasSubstr("Retry-After: 1\r\n")) << "when to try again";
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

// Connections over an address's quota are turned away at once, before they take a slot of the
// shared pool: a flood of silent connections from one address leaves room for everyone else,
// and each of them hears why without having to send a byte.
TEST_F(HostileClientsTest, AnAddressOverItsQuotaTakesNoSlotOfTheSharedPool) {
    Start({"--max-connections", "20", "--max-client-connections", "4", "--request-timeout", "60",
           "--keep-alive", "60"});
    std::vector<std::unique_ptr<RawConnection>> flood;
    for (int i = 0; i < 100; ++i)
        flood.push_back(
            std::make_unique<RawConnection>(server_->Host(), server_->Port(), "127.0.0.2"));
    const auto refused = flood.back()->ReadReply();
    ASSERT_TRUE(refused.has_value()) << "told at once, not after a request";
    EXPECT_EQ(refused->status, 503);
    EXPECT_THAT(refused->head, HasSubstr("Retry-After: 1\r\n"));

    InvoiceClient client(server_->Host(), server_->Port());
    // Before, the flood filled the pool and this call waited in the backlog until the silent
    // connections ran out of time (60 s): it would fail at its own bound.
    client.Connection().SetTimeouts({std::chrono::seconds(5), std::chrono::seconds(10)});
    GetNotaArgs args;
    EXPECT_EQ(client.Entries(args).size(), 6u);
}

// One address's heavy calls wait behind each other, not in front of everyone else's: with two
// workers and four long calls queued from one address, another address's call is answered
// before the first of them ends.
TEST_F(HostileClientsTest, ACallFromAnotherAddressDoesNotWaitBehindOneAddresssHeavyCalls) {
    Start({"--threads", "2", "--test-objects", "--timeout", "60"}, ServerProgram::Test);
    const std::string heavy = HttpRequest(
        "POST", "/exp036.Teste/Sleep", R"({"version":1,"args":[{"type":"integer","value":2000}]})");
    std::vector<std::unique_ptr<RawConnection>> heavyCalls;
    for (int i = 0; i < 4; ++i) {
        heavyCalls.push_back(
            std::make_unique<RawConnection>(server_->Host(), server_->Port(), "127.0.0.2"));
        ASSERT_TRUE(heavyCalls.back()->Send(heavy));
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(200));  // all four waiting
    RawConnection other(server_->Host(), server_->Port(), "127.0.0.3");
    ASSERT_TRUE(other.Send(HttpRequest("POST", "/exp036.Teste/Echo",
                                       R"({"version":1,"args":[{"type":"integer","value":7}]})")));
    const auto answer = other.ReadReply();
    ASSERT_TRUE(answer.has_value());
    EXPECT_EQ(answer->status, 200);
    int heavyAnswered = 0;
    for (auto& call : heavyCalls)
        heavyAnswered += call->ReplyArriving() ? 1 : 0;
    EXPECT_EQ(heavyAnswered, 0) << "the other address waited for the heavy calls";
}

// Parsing a request costs a small multiple of its size however it is nested, and what large
// requests cost is given back: rounds of megabyte-sized malformed bodies, four at once, leave the
// server's resident memory close to where it was (before, each cost some 80 MB, and four rounds
// left it 248 MB larger).
TEST_F(HostileClientsTest, LargeMalformedRequestsLeaveTheServersMemoryAsItWas) {
    // Under AddressSanitizer freed memory waits in a quarantine of up to 256 MB before it can be
    // used again, which would hide what the server itself gives back: the server runs without it
    // (a build without the sanitizer ignores the setting).
    const char* sanitizer = std::getenv("ASAN_OPTIONS");
    const std::string saved = sanitizer != nullptr ? sanitizer : "";
    setenv("ASAN_OPTIONS", (saved + (saved.empty() ? "" : ":") + "quarantine_size_mb=0").c_str(),
           1);
    Start({});
    if (sanitizer != nullptr)
        setenv("ASAN_OPTIONS", saved.c_str(), 1);
    else
        unsetenv("ASAN_OPTIONS");
    const std::size_t size = 1024 * 1024 - 64;
    std::string numbers = R"({"version":1,"args":[0)";
    while (numbers.size() < size)
        numbers += ",0";
    numbers += "]}";
    std::string objects;
    while (objects.size() < size)
        objects += R"({"a":)";
    const std::vector<std::string> bodies = {
        std::string(size, '['), std::string(size / 5, '[') + std::string(size / 5, ']'), objects,
        numbers, "\"" + std::string(size, 'x')};
    const auto battery = [&] {
        for (const std::string& body : bodies) {
            std::vector<std::thread> clients;
            for (int i = 0; i < 4; ++i) {
                clients.emplace_back([&] {
                    RawConnection connection(server_->Host(), server_->Port());
                    connection.Send(HttpRequest("POST", kGetNotaPath, body, false));
                    const auto reply = connection.ReadReply();
                    EXPECT_TRUE(reply && reply->status == 400) << (reply ? reply->body : "");
                });
            }
            for (std::thread& client : clients)
                client.join();
        }
    };
    // What the first calls leave for good (the workers' threads and connections) is the
    // baseline.
    InvoiceClient warmUp(server_->Host(), server_->Port());
    GetNotaArgs warmUpArgs;
    ASSERT_EQ(warmUp.Entries(warmUpArgs).size(), 6u);
    const long long before = ResidentBytes(server_->Pid());
    for (int round = 0; round < 4; ++round)
        battery();
    const long long after = ResidentBytes(server_->Pid());
    ASSERT_GT(before, 0);
    EXPECT_LT(after - before, 48LL << 20) << before << " -> " << after << " bytes";
    InvoiceClient client(server_->Host(), server_->Port());
    GetNotaArgs args;
    EXPECT_EQ(client.Entries(args).size(), 6u);
}

// A branch office behind one NAT address is one client address to the server: fifty
// workstations, each keeping its connection and calling every one to three seconds, are all
// served with the default limits (before, 16 connections an address turned most away).
TEST_F(HostileClientsTest, FiftyWorkstationsBehindOneAddressAreAllServedWithTheDefaults) {
    Start({});
    constexpr int kWorkstations = 50;
    constexpr int kCalls = 4;
    std::atomic<int> failures{0};
    std::vector<std::thread> workstations;
    const std::string call =
        HttpRequest("POST", kGetNotaPath, GetNotaBody("0001", kFirstDay, kLastDay));
    for (int w = 0; w < kWorkstations; ++w) {
        workstations.emplace_back([&, w] {
            // The gaps of each workstation differ, as people's do, but the same in every run.
            std::uint32_t seed = 2654435761u * static_cast<std::uint32_t>(w + 1);
            const auto pause = [&seed] {
                seed = seed * 1664525u + 1013904223u;
                std::this_thread::sleep_for(std::chrono::milliseconds(1000 + seed % 2000));
            };
            failures += FailedCalls(*server_, "127.0.0.9", call, kCalls, pause);
        });
    }
    for (std::thread& workstation : workstations)
        workstation.join();
    EXPECT_EQ(failures, 0);
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
            failures += FailedCalls(*server_, "", call, kCalls, [] {});
        });
    }
    for (std::thread& client : clients)
        client.join();
    EXPECT_EQ(failures, 0);
}

}  // namespace
}  // namespace servertest
