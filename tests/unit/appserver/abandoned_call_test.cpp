// A call its client gives up ends on the server as well: the statement running for it is
// interrupted in the database instead of running to its end for nobody.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <thread>

#include "host/data/engine.h"
#include "host/data/params.h"
#include "host/net/pending_call.h"
#include "invoice_database.h"
#include "support/invoice_client.h"
#include "support/server_process.h"

namespace servertest {
namespace {

using namespace std::chrono_literals;

// No wait here lasts longer; the statement the test server runs would take minutes.
constexpr auto kBound = 20s;

bool Eventually(const std::function<bool()>& condition) {
    const auto end = std::chrono::steady_clock::now() + kBound;
    while (!condition()) {
        if (std::chrono::steady_clock::now() >= end)
            return false;
        std::this_thread::sleep_for(50ms);
    }
    return true;
}

// The log line of a GetNota call that ended because its client was gone.
bool LoggedGivenUp(const ServerProcess& server) {
    return server.Log().find("/GetNota 499 ") != std::string::npos;
}

class AbandonedCall : public ::testing::Test {
protected:
    void StartServer(const std::string& database) {
        server.emplace(std::vector<std::string>{"--db", database, "--test-getnota", "slow"},
                       ServerProgram::Test);
    }

    // Asks for invoices, giving the call up as a person would press Cancelar once `ready` holds;
    // true when the call ended as given up.
    bool AskAndGiveUpWhen(const std::function<bool()>& ready) {
        bool waited = false;
        InvoiceClient client(server->Host(), server->Port());
        client.Context().SetCallWaiter([&](hostfw::PendingCall& call) {
            waited = Eventually(ready);
            call.Cancel();
            call.Wait();
        });
        GetNotaArgs args;
        bool cancelled = false;
        try {
            client.Load(args);
        } catch (const hostfw::CallCancelled&) {
            cancelled = true;
        }
        EXPECT_TRUE(waited) << "the call never reached the state to give it up in";
        return cancelled;
    }

    std::optional<ServerProcess> server;
};

TEST_F(AbandonedCall, OnSqliteTheStatementIsInterruptedOnceTheClientGoes) {
    const SqliteInvoiceDatabase database;
    StartServer(database.Path());
    // The statement is under way by then: the call is in the server's hands.
    EXPECT_TRUE(AskAndGiveUpWhen([start = std::chrono::steady_clock::now()] {
        return std::chrono::steady_clock::now() - start > 300ms;
    }));
    EXPECT_TRUE(Eventually([&] { return LoggedGivenUp(*server); })) << server->Log();
}

TEST_F(AbandonedCall, AGivenUpCallLeavesTheServerAnsweringTheNextOne) {
    const SqliteInvoiceDatabase database;
    StartServer(database.Path());
    for (int call = 1; call <= 2; ++call) {
        EXPECT_TRUE(AskAndGiveUpWhen([start = std::chrono::steady_clock::now()] {
            return std::chrono::steady_clock::now() - start > 200ms;
        })) << "call "
            << call;
    }
    EXPECT_TRUE(Eventually([&] {
        const std::string log = server->Log();
        const auto first = log.find("/GetNota 499 ");
        return first != std::string::npos &&
               log.find("/GetNota 499 ", first + 1) != std::string::npos;
    })) << server->Log();
}

// PostgreSQL: the server EXP036_PG_URL names, the test rows in a schema of their own.
class PgAbandonedCall : public AbandonedCall {
protected:
    void SetUp() override {
        const char* url = std::getenv("EXP036_PG_URL");
        if (url == nullptr || *url == '\0')
            GTEST_SKIP() << "EXP036_PG_URL não definida: sem servidor PostgreSQL";
        database_ = std::string(url) + " options='-c search_path=" + kSchema + "'";
        admin_ = hostfw::OpenDatabase(url);
        admin_->ExecuteScript(std::string("DROP SCHEMA IF EXISTS ") + kSchema +
                              " CASCADE; CREATE SCHEMA " + kSchema);
        FillInvoiceDatabase(database_);
    }
    void TearDown() override {
        AbandonedCall::TearDown();
        server.reset();
        if (admin_)
            admin_->ExecuteScript(std::string("DROP SCHEMA IF EXISTS ") + kSchema + " CASCADE");
    }

    // Statements of the test server's slow GetNota running on the database server.
    long long SlowStatementsRunning() {
        hostfw::TParams params;
        params.CreateParam("TEXTO").SetAsString("SELECT pg_sleep(600)%");
        const auto rows = admin_->Query(
            "SELECT count(*) FROM pg_stat_activity WHERE state = 'active' AND query LIKE :TEXTO",
            params);
        rows->Next();
        return rows->Value(0).AsInteger();
    }

    static constexpr const char* kSchema = "abandoned_call";
    std::string database_;
    std::shared_ptr<hostfw::Engine> admin_;
};

TEST_F(PgAbandonedCall, TheRunningQueryIsCancelledOnTheDatabaseServer) {
    StartServer(database_);
    EXPECT_TRUE(AskAndGiveUpWhen([&] { return SlowStatementsRunning() == 1; }));
    EXPECT_TRUE(Eventually([&] { return SlowStatementsRunning() == 0; }))
        << "pg_sleep still runs for a client that is gone";
    EXPECT_TRUE(Eventually([&] { return LoggedGivenUp(*server); })) << server->Log();
}

}  // namespace
}  // namespace servertest
