// A database server that ended every session (a fast restart, an administrator's shutdown) must
// not fail the next call of each worker: a read whose connection broke under it runs again on a
// new one.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "host/data/engine.h"
#include "invoice_database.h"
#include "support/invoice_client.h"
#include "support/server_process.h"
#include "unit/data/engine_test_support.h"

namespace servertest {
namespace {

// The database a throw-away server names in `variable`, or nothing outside it.
const char* ServerDatabase(const char* variable) {
    const char* url = std::getenv(variable);
    return url != nullptr && *url != '\0' ? url : nullptr;
}

// Serves the test rows from `url` with one worker, so that the call after `endSessions` surely
// meets the connection that was ended, and expects that call to list them all again.
void ExpectTheNextCallRunsAgain(const std::string& url,
                                const std::function<void(hostfw::Engine&)>& endSessions) {
    FillInvoiceDatabase(url);
    ServerProcess server({"--db", url, "--threads", "1"});
    InvoiceClient client(server.Host(), server.Port());
    GetNotaArgs args;
    ASSERT_EQ(client.Entries(args).size(), 6u);
    endSessions(*hostfw::OpenDatabase(url));
    EXPECT_THAT(client.Entries(args), ::testing::ElementsAre("9", "1", "10", "2", "3", "7"));
}

TEST(PgDatabaseRestart, TheNextCallRunsAgainOnANewConnection) {
    const char* url = ServerDatabase("EXP036_PG_URL");
    if (url == nullptr)
        GTEST_SKIP() << "EXP036_PG_URL not set (run through tests/pg/with_postgres.sh)";
    ExpectTheNextCallRunsAgain(url,
                               [](hostfw::Engine& admin) { datatest::EndOtherSessions(admin); });
}

TEST(FbServerDatabaseRestart, TheNextCallRunsAgainOnANewConnection) {
    const char* url = ServerDatabase("EXP036_FB_URL");
    if (url == nullptr)
        GTEST_SKIP() << "EXP036_FB_URL not set (run through tests/firebird/with_firebird.sh)";
    ExpectTheNextCallRunsAgain(url, [](hostfw::Engine& admin) {
        EXPECT_GE(admin.Execute("DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID <> "
                                "CURRENT_CONNECTION AND MON$SYSTEM_FLAG = 0",
                                {}),
                  1);
    });
}

}  // namespace
}  // namespace servertest
