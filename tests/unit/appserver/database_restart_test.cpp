// A database server that ended every session (a fast restart) must not fail the next call of
// each worker: a read whose connection broke under it runs again on a new one.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/data/engine.h"
#include "invoice_database.h"
#include "support/invoice_client.h"
#include "support/server_process.h"
#include "unit/data/engine_test_support.h"

namespace servertest {
namespace {

TEST(PgDatabaseRestart, TheNextCallRunsAgainOnANewConnection) {
    const char* url = std::getenv("EXP036_PG_URL");
    if (url == nullptr || *url == '\0')
        GTEST_SKIP() << "EXP036_PG_URL not set (run through tests/pg/with_postgres.sh)";
    FillInvoiceDatabase(url);
    // One worker, so the call after the restart surely meets the connection that was dropped.
    ServerProcess server({"--db", url, "--threads", "1"});
    InvoiceClient client(server.Host(), server.Port());
    GetNotaArgs args;
    ASSERT_EQ(client.Entries(args).size(), 6u);

    const auto admin = hostfw::OpenDatabase(url);
    datatest::Scalar(*admin,
                     "SELECT count(pg_terminate_backend(pid, 5000)) FROM pg_stat_activity "
                     "WHERE datname = current_database() AND pid <> pg_backend_pid()",
                     {});
    EXPECT_THAT(client.Entries(args), ::testing::ElementsAre("9", "1", "10", "2", "3", "7"));
}

}  // namespace
}  // namespace servertest
