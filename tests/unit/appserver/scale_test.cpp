// Three application servers behind a real HAProxy over one PostgreSQL, under the load of clients
// that call as the host does (its HTTP client, with its one retry of a call nobody answered): a
// sign-in made once is served by all three, the audit names each person's own address, and a
// server killed (SIGKILL) or drained (SIGTERM) in the middle costs the clients no call. Bounded:
// a few seconds of six clients, on loopback only. Prints its figures.
#include <gtest/gtest.h>
#include <signal.h>

#include <atomic>
#include <chrono>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "host/net/http_call_client.h"
#include "host/net/server_credentials.h"
#include "support/balanced_servers.h"
#include "support/shared_use_database.h"

namespace {

using Clock = std::chrono::steady_clock;
using servertest::BalancedServers;
using testsupport::SharedUseDatabase;

constexpr int kServers = 3;
constexpr int kClients = 6;
constexpr auto kKillAt = std::chrono::milliseconds(1500);
constexpr auto kTerminateAt = std::chrono::milliseconds(3500);
constexpr auto kLoadTime = std::chrono::milliseconds(7000);

class PgScale : public testsupport::SharedUseTest {
protected:
    void SetUp() override {
        SharedUseTest::SetUp();
        if (IsSkipped())
            return;
        own = database->AddServerLogin();
        maria = database->AddPerson("maria", "0001", true);
        balanced.emplace(kServers,
                         std::vector<std::string>{
                             "--db", SharedUseDatabase::As(database->TcpConnection(), own)});
    }
    void TearDown() override { balanced.reset(); }

    std::unique_ptr<hostfw::HttpCallClient> NewClient() const { return balanced->NewClient(maria); }
    static bool Answered(hostfw::HttpCallClient& client, std::string& failure) {
        return BalancedServers::Answered(client, failure);
    }

    static long long Occurrences(const std::string& text, const std::string& what) {
        long long count = 0;
        for (auto at = text.find(what); at != std::string::npos; at = text.find(what, at + 1))
            ++count;
        return count;
    }

    std::string own;
    std::string maria;
    std::optional<BalancedServers> balanced;
};

TEST_F(PgScale, OneSignInIsServedByEveryServerAndTheAuditNamesThePersonsAddress) {
    const auto client = NewClient();
    std::string failure;
    for (int call = 0; call < 12; ++call)
        ASSERT_TRUE(Answered(*client, failure)) << failure;
    EXPECT_EQ(database->AuditCount(maria, "entrada"), 1) << "signed in once";
    for (const auto& server : balanced->servers) {
        EXPECT_GT(Occurrences(server->Log(), "GetNota"), 0)
            << "a server served none of the calls:\n"
            << server->Log();
    }
    hostfw::TParams params;
    params.CreateParam("PESSOA").SetAsString(maria);
    const auto origins = database->admin->Query(
        "SELECT ORIGEM, count(*) FROM AUDITORIA WHERE PESSOA = :PESSOA GROUP BY ORIGEM", params);
    ASSERT_TRUE(origins->Next());
    EXPECT_EQ(origins->Value(0).AsString(), "127.0.0.1") << "the person's own address";
    EXPECT_EQ(origins->Value(1).AsInteger(), 13) << "the sign-in and the twelve calls";
    EXPECT_FALSE(origins->Next()) << "no row under the balancer's address";
}

TEST_F(PgScale, AServerKilledOrDrainedUnderLoadCostsTheClientsNoCall) {
    std::atomic<bool> stop{false};
    std::atomic<long long> calls{0};
    std::atomic<long long> failures{0};
    std::vector<std::string> firstFailures(kClients);
    std::vector<std::jthread> clients;
    for (int i = 0; i < kClients; ++i) {
        clients.emplace_back([&, i] {
            const auto client = NewClient();
            while (!stop) {
                std::string failure;
                if (Answered(*client, failure)) {
                    ++calls;
                } else {
                    ++failures;
                    if (firstFailures[i].empty())
                        firstFailures[i] = failure;
                }
            }
        });
    }
    const auto start = Clock::now();
    std::this_thread::sleep_for(kKillAt);
    const long long beforeKill = calls;
    EXPECT_EQ(balanced->servers[0]->Stop(SIGKILL), -1) << "killed, not ended";
    std::this_thread::sleep_for(kTerminateAt - kKillAt);
    const long long beforeDrain = calls;
    // SIGTERM drains for three seconds, then the server stops, while the load goes on.
    std::jthread draining([&] { EXPECT_EQ(balanced->servers[1]->Stop(SIGTERM), 0); });
    std::this_thread::sleep_until(start + kLoadTime);
    stop = true;
    clients.clear();
    draining.join();
    const auto seconds = std::chrono::duration<double>(Clock::now() - start).count();

    std::cout << "escala: " << calls << " chamadas, " << failures << " falhas em " << seconds
              << " s (" << beforeKill << " antes do kill -9, " << beforeDrain - beforeKill
              << " entre ele e o SIGTERM, " << calls - beforeDrain << " depois)" << std::endl;
    EXPECT_EQ(failures, 0);
    for (const std::string& failure : firstFailures)
        EXPECT_EQ(failure, "");
    EXPECT_GT(beforeKill, 0);
    EXPECT_GT(calls - beforeDrain, 0) << "calls went on through the server left";
    EXPECT_NE(balanced->servers[1]->Log().find("drenando"), std::string::npos)
        << balanced->servers[1]->Log();
}

}  // namespace
