// Reads on the standby and failover, on real parts: a primary and a streaming standby
// (tests/pg/with_standby.sh), three application servers behind HAProxy whose --db names both
// with target_session_attrs=read-write, and the host's report command. The host's report, its
// invoices asked of the servers through the balancer, reads on the standby: the primary counts
// no scan of the invoices. Then, under the load of clients that call as the host does, the
// primary is stopped and the standby promoted: the servers find the new primary without a
// restart, and calls succeed again within a stated bound. Bounded in time and count, on loopback
// only; prints its figures. It stops the primary, so it runs in a ctest of its own.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <mutex>
#include <optional>
#include <regex>
#include <string>
#include <thread>
#include <vector>

#include "host/core/child_process.h"
#include "support/balanced_servers.h"
#include "support/standby_checks.h"
#include "support/test_folder.h"
#include "unit/host_app/host_process.h"

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using servertest::BalancedServers;
using testsupport::SharedUseDatabase;

constexpr int kServers = 3;
constexpr int kClients = 3;
// Calls must succeed again this soon after the primary is stopped.
constexpr auto kRecoveryBound = std::chrono::seconds(30);
// The load ends this long after the last failed call, or at the latest here after the stop.
constexpr auto kCalmAfterRecovery = std::chrono::seconds(2);
constexpr auto kLoadLimit = std::chrono::seconds(45);

class ReplicaFailover : public testsupport::SharedUseStandbyTest {
protected:
    void SetUp() override {
        SharedUseStandbyTest::SetUp();
        if (IsSkipped())
            return;
        own = database->AddServerLogin();
        maria = database->AddPerson("maria", "0001", true);
        // The load's calls are someone else's: the audit allows a person's own rows only so fast.
        ana = database->AddPerson("ana", "0001", true);
        ASSERT_TRUE(replica->CaughtUp(ana)) << "the standby never caught up";
        // Either server may be the primary; libpq connects to the one that takes writes.
        const std::string standbyPort = std::getenv("EXP036_PG_STANDBY_PORT");
        std::smatch port;
        const std::string primary = database->TcpConnection();
        std::regex_search(primary, port, std::regex("port=([0-9]+)"));
        eitherPrimary = std::regex_replace(
                            primary, std::regex("host=127\\.0\\.0\\.1 port=[0-9]+"),
                            "host=127.0.0.1,127.0.0.1 port=" + port[1].str() + "," + standbyPort) +
                        " target_session_attrs=read-write";
        balanced.emplace(kServers,
                         std::vector<std::string>{"--db", SharedUseDatabase::As(eitherPrimary, own),
                                                  "--report-db",
                                                  SharedUseDatabase::As(replica->Connection(), own),
                                                  "--connection-idle", "1"});
        folder = testsupport::PrivateTestFolder("exp036-failover");
        fs::create_directories(folder);
    }
    void TearDown() override {
        balanced.reset();
        if (!folder.empty())
            fs::remove_all(folder);
    }

    // exp036-host report as maria, on the primary whichever it is, reading on the standby, her
    // invoices 1 and 7 asked of the servers through the balancer.
    hostapptest::Finished HostReport() const {
        setenv("PGPASSWORD", SharedUseDatabase::Password(maria).c_str(), 1);
        hostapptest::Finished run = hostapptest::RunProgram(
            folder, {EXP036_BIN_DIR "/exp036-host",
                     "report",
                     "--db",
                     eitherPrimary + " user=" + maria,
                     "--report-db",
                     replica->Connection(),
                     "--server",
                     "127.0.0.1:" + std::to_string(balanced->balancer->Port()),
                     "--server-plain-password",
                     "--reports",
                     EXP036_SOURCE_DIR "/reports",
                     "--branch",
                     "0001",
                     "--from",
                     "01/01/2025",
                     "--to",
                     "31/12/2025",
                     "--invoices",
                     "1,7",
                     "--format",
                     "csv"});
        unsetenv("PGPASSWORD");
        return run;
    }

    static int FailOver(const char* step) {
        return hostfw::RunProgram({"bash", EXP036_SOURCE_DIR "/tests/pg/fail_over.sh", step});
    }

    std::string own;
    std::string maria;
    std::string ana;
    std::string eitherPrimary;
    fs::path folder;
    std::optional<BalancedServers> balanced;
};

// One call of the load: when it started and ended, and whether it was answered.
struct CallRecord {
    Clock::time_point start;
    Clock::time_point end;
    bool answered;
};

TEST_F(ReplicaFailover, TheHostsReportReadsOnTheStandbyAndCallsComeBackAfterThePromotion) {
    const long long before = replica->PrimaryInvoiceScans({maria});
    const hostapptest::Finished report = HostReport();
    ASSERT_EQ(report.status, 0) << report.err;
    ASSERT_NE(report.out.find("\n"), std::string::npos);
    EXPECT_EQ(replica->PrimaryInvoiceScans({maria}), before)
        << "neither the report nor the invoices it asked for were read on the primary";

    std::mutex recordsMutex;
    std::vector<CallRecord> records;
    std::atomic<bool> stop{false};
    std::string firstFailure;
    std::vector<std::jthread> clients;
    for (int i = 0; i < kClients; ++i) {
        clients.emplace_back([&] {
            const auto client = balanced->NewClient(ana);
            while (!stop) {
                std::string failure;
                const auto start = Clock::now();
                const bool answered = BalancedServers::Answered(*client, failure);
                const std::lock_guard lock(recordsMutex);
                records.push_back({start, Clock::now(), answered});
                if (!answered && firstFailure.empty())
                    firstFailure = failure;
                if (!answered)  // not a tight loop while nothing answers
                    std::this_thread::sleep_for(std::chrono::milliseconds(50));
            }
        });
    }
    std::this_thread::sleep_for(std::chrono::seconds(1));
    const auto stopped = Clock::now();
    ASSERT_EQ(FailOver("stop-primary"), 0);
    ASSERT_EQ(FailOver("promote"), 0);
    const auto promoted = Clock::now();
    // The promoted standby is where the test's schema is dropped at the end.
    database->admin = hostfw::OpenDatabase(std::string(std::getenv("EXP036_PG_STANDBY_URL")) +
                                           " options='-c search_path=" + database->Schema() + "'");

    // The load goes on until calls have been answered for a while after the last failure.
    const auto calmSince = [&] {
        const std::lock_guard lock(recordsMutex);
        Clock::time_point lastFailure = promoted;
        for (const CallRecord& call : records) {
            if (!call.answered)
                lastFailure = std::max(lastFailure, call.end);
        }
        return lastFailure;
    };
    while (Clock::now() - calmSince() < kCalmAfterRecovery && Clock::now() - stopped < kLoadLimit)
        std::this_thread::sleep_for(std::chrono::milliseconds(100));
    stop = true;
    clients.clear();

    // Back: the end of the first answered call that started after the last failed one ended.
    Clock::time_point lastFailure = stopped;
    long long failures = 0;
    for (const CallRecord& call : records) {
        if (!call.answered) {
            ++failures;
            lastFailure = std::max(lastFailure, call.end);
        }
    }
    std::optional<Clock::time_point> back;
    long long answeredAfter = 0;
    for (const CallRecord& call : records) {
        if (call.answered && call.start >= lastFailure) {
            ++answeredAfter;
            if (!back || call.end < *back)
                back = call.end;
        }
    }
    const auto seconds = [&](Clock::time_point at) {
        return std::chrono::duration<double>(at - stopped).count();
    };
    std::cout << "failover: " << records.size() << " chamadas, " << failures
              << " falhas; primário parado e standby promovido em " << seconds(promoted)
              << " s; chamadas de volta " << (back ? seconds(*back) : -1.0)
              << " s depois da parada (limite " << kRecoveryBound.count() << " s), "
              << answeredAfter << " respondidas desde então" << std::endl;
    ASSERT_TRUE(back.has_value()) << "no call answered after the failover; first failure: "
                                  << firstFailure;
    EXPECT_LT(*back - stopped, kRecoveryBound) << firstFailure;
    EXPECT_GT(answeredAfter, 0);

    // The host, on the same connection strings, finds the new primary too; the standby named in
    // --report-db is no standby any more, so the report reads on the primary.
    const hostapptest::Finished after = HostReport();
    ASSERT_EQ(after.status, 0) << after.err;
    EXPECT_EQ(after.out, report.out);
}

}  // namespace
