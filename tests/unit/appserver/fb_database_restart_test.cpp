// A Firebird server that ended every attachment (an administrator's shutdown, a restart) must not
// fail the next call of each worker: a read whose connection broke under it runs again on a new
// one.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

#include "host/data/engine.h"
#include "invoice_database.h"
#include "support/invoice_client.h"
#include "support/server_process.h"

namespace servertest {
namespace {

TEST(FbServerDatabaseRestart, TheNextCallRunsAgainOnANewConnection) {
    const char* url = std::getenv("EXP036_FB_URL");
    if (url == nullptr || *url == '\0')
        GTEST_SKIP() << "EXP036_FB_URL not set (run through tests/firebird/with_firebird.sh)";
    FillInvoiceDatabase(url);
    // One worker, so the call after the shutdown surely meets the connection that was ended.
    ServerProcess server({"--db", url, "--threads", "1"});
    InvoiceClient client(server.Host(), server.Port());
    GetNotaArgs args;
    ASSERT_EQ(client.Entries(args).size(), 6u);

    const auto admin = hostfw::OpenDatabase(url);
    EXPECT_GE(admin->Execute("DELETE FROM MON$ATTACHMENTS WHERE MON$ATTACHMENT_ID <> "
                             "CURRENT_CONNECTION AND MON$SYSTEM_FLAG = 0",
                             {}),
              1);
    EXPECT_THAT(client.Entries(args), ::testing::ElementsAre("9", "1", "10", "2", "3", "7"));
}

}  // namespace
}  // namespace servertest
