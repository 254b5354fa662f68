// The server's calls read on a streaming standby (--report-db) while it is recent enough: the
// primary's statistics show no scan of the invoices, the person's row-level security holds there
// as on the primary, and a standby that fails is never shown: the call runs on the primary.
// Run by tests/pg/with_standby.sh inside with_postgres.sh; skipped without a standby.
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "invoice_database.h"
#include "support/closed_port.h"
#include "support/server_process.h"
#include "support/shared_use_database.h"
#include "support/signed_in_calls.h"
#include "support/standby_checks.h"

namespace {

using servertest::HttpReply;
using testsupport::SharedUseDatabase;

class ReplicaReads : public testsupport::SharedUseStandbyTest, protected servertest::SignedInCalls {
protected:
    void SetUp() override {
        SharedUseStandbyTest::SetUp();
        if (IsSkipped())
            return;
        own = database->AddServerLogin();
        maria = database->AddPerson("maria", "0001", true);
        standby = replica->Connection();
        // The schema, its rows and the people reach the standby by replication.
        ASSERT_TRUE(replica->CaughtUp(maria)) << "the standby never caught up";
    }

    std::vector<std::string> ServerOptions(const std::string& reportDb) const {
        std::vector<std::string> options = {"--db",
                                            SharedUseDatabase::As(database->TcpConnection(), own)};
        if (!reportDb.empty()) {
            options.insert(options.end(), {"--report-db", SharedUseDatabase::As(reportDb, own)});
        }
        return options;
    }
    long long PrimaryInvoiceScans() const { return replica->PrimaryInvoiceScans({own, maria}); }
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
    const auto hers = hostfw::OpenDatabase(SharedUseDatabase::As(standby, maria));
    const auto visible = hers->Query("SELECT count(DISTINCT CDFILIAL) FROM NOTAFISCAL", {});
    ASSERT_TRUE(visible->Next());
    EXPECT_EQ(visible->Value(0).AsInteger(), 1);
}

TEST_F(ReplicaReads, AStandbyThatFailsIsNeverShownTheCallRunsOnThePrimary) {
    const std::string gone = replica->OnPort(nettest::ClosedLoopbackPort());
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
