// The server's calls read on a streaming standby (--report-db) while it is recent enough: the
// primary's statistics show no scan of the invoices, the person's row-level security holds there
// as on the primary, and a standby that fails is never shown: the call runs on the primary.
// Run by tests/pg/with_standby.sh inside with_postgres.sh; skipped without a standby.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <regex>
#include <string>
#include <thread>

#include "invoice_database.h"
#include "support/closed_port.h"
#include "support/server_process.h"
#include "support/shared_use_database.h"
#include "support/signed_in_calls.h"

namespace {

using servertest::HttpReply;
using testsupport::SharedUseDatabase;

class ReplicaReads : public testsupport::SharedUseTest, protected servertest::SignedInCalls {
protected:
    void SetUp() override {
        const char* port = std::getenv("EXP036_PG_STANDBY_PORT");
        if (port == nullptr || *port == '\0')
            GTEST_SKIP() << "EXP036_PG_STANDBY_PORT não definida: sem standby";
        SharedUseTest::SetUp();
        if (IsSkipped())
            return;
        own = database->AddServerLogin();
        maria = database->AddPerson("maria", "0001", true);
        standby = StandbyConnection(std::stoi(port));
        // The schema, its rows and the people reach the standby by replication.
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
        while (!StandbyHasPerson()) {
            ASSERT_LT(std::chrono::steady_clock::now(), deadline) << "the standby never caught up";
            std::this_thread::sleep_for(std::chrono::milliseconds(200));
        }
    }

    std::string StandbyConnection(int port) const {
        return std::regex_replace(database->TcpConnection(), std::regex("port=[0-9]+"),
                                  "port=" + std::to_string(port));
    }
    bool StandbyHasPerson() const {
        try {
            const auto engine = hostfw::OpenDatabase(
                standby + " user=" + maria + " password=" + SharedUseDatabase::Password(maria));
            engine->Query("SELECT count(*) FROM NOTAFISCAL", hostfw::TParams())->Next();
            return true;
        } catch (const std::exception&) {
            return false;
        }
    }
    std::vector<std::string> ServerOptions(const std::string& reportDb) const {
        std::vector<std::string> options = {"--db",
                                            database->TcpConnection() + " user=" + own +
                                                " password=" + SharedUseDatabase::Password(own)};
        if (!reportDb.empty()) {
            options.insert(options.end(), {"--report-db", reportDb + " user=" + own + " password=" +
                                                              SharedUseDatabase::Password(own)});
        }
        return options;
    }
    // Scans of NOTAFISCAL the primary has counted. A backend reports its counts when it ends, or
    // up to seconds later while it lives: read once no backend of the server or the person is
    // left.
    long long PrimaryInvoiceScans() const {
        hostfw::TParams logins;
        logins.CreateParam("SERVIDOR").SetAsString(own);
        logins.CreateParam("PESSOA").SetAsString(maria);
        const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
        for (;;) {
            const auto left = database->admin->Query(
                "SELECT count(*) FROM pg_stat_activity WHERE usename IN (:SERVIDOR, :PESSOA)",
                logins);
            if ((left->Next() && left->Value(0).AsInteger() == 0) ||
                std::chrono::steady_clock::now() > deadline)
                break;
            std::this_thread::sleep_for(std::chrono::milliseconds(100));
        }
        // A backend leaves the list of activity a moment before it reports its counts.
        std::this_thread::sleep_for(std::chrono::seconds(1));
        database->admin->ExecuteScript("SELECT pg_stat_clear_snapshot()");
        hostfw::TParams params;
        params.CreateParam("ESQUEMA").SetAsString(database->Schema());
        const auto rows = database->admin->Query(
            "SELECT coalesce(seq_scan, 0) + coalesce(idx_scan, 0) FROM pg_stat_user_tables "
            "WHERE relname = 'notafiscal' AND schemaname = :ESQUEMA",
            params);
        database->admin->ExecuteScript("SELECT pg_stat_clear_snapshot()");
        return rows->Next() ? rows->Value(0).AsInteger() : -1;
    }
    long long RowsOfMaria(const std::string& token) {
        const HttpReply reply = GetNota(token, "0001");
        EXPECT_EQ(reply.status, 200) << reply.body;
        return RowsIn(reply);
    }

    std::string own;
    std::string maria;
    std::string standby;
};

TEST_F(ReplicaReads, CallsReadOnTheStandbyAndTheBranchRuleHoldsThere) {
    // Without --report-db the primary counts the call's scan: the statistics do see calls.
    const long long before = PrimaryInvoiceScans();
    server.emplace(ServerOptions(""));
    EXPECT_EQ(RowsOfMaria(TokenOf(maria, SharedUseDatabase::Password(maria))), 4);
    server.reset();
    const long long afterPrimary = PrimaryInvoiceScans();
    ASSERT_GT(afterPrimary, before);

    server.emplace(ServerOptions(standby));
    const std::string token = TokenOf(maria, SharedUseDatabase::Password(maria));
    for (int call = 0; call < 3; ++call)
        EXPECT_EQ(RowsOfMaria(token), 4) << "her branch's rows only, read on the standby";
    EXPECT_EQ(GetNota(token, "0002").status, 403);
    server.reset();
    EXPECT_EQ(PrimaryInvoiceScans(), afterPrimary) << "no invoice read on the primary";

    // The row policy itself, on the standby: the person reads her branch's rows only.
    const auto hers = hostfw::OpenDatabase(standby + " user=" + maria +
                                           " password=" + SharedUseDatabase::Password(maria));
    const auto visible = hers->Query("SELECT count(DISTINCT CDFILIAL) FROM NOTAFISCAL", {});
    ASSERT_TRUE(visible->Next());
    EXPECT_EQ(visible->Value(0).AsInteger(), 1);
}

TEST_F(ReplicaReads, AStandbyThatFailsIsNeverShownTheCallRunsOnThePrimary) {
    const std::string gone = StandbyConnection(nettest::ClosedLoopbackPort());
    const long long before = PrimaryInvoiceScans();
    server.emplace(ServerOptions(gone));
    const std::string token = TokenOf(maria, SharedUseDatabase::Password(maria));
    EXPECT_EQ(RowsOfMaria(token), 4);
    server.reset();
    EXPECT_GT(PrimaryInvoiceScans(), before);
}

TEST_F(ReplicaReads, TheStandbyNeedsADatabaseWherePeopleSignIn) {
    const servertest::SqliteInvoiceDatabase embedded;
    std::string output;
    EXPECT_EQ(servertest::RunServerToEnd({"--db", embedded.Path(), "--report-db", standby}, output),
              2)
        << output;
    EXPECT_NE(output.find("--report-db vale num banco PostgreSQL preparado"), std::string::npos)
        << output;
}

}  // namespace
