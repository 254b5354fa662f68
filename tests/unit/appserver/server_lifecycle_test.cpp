// Starting and stopping the server process, and its command line.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>

#include <string>

#include "invoice_database.h"
#include "support/invoice_client.h"
#include "support/server_process.h"

namespace servertest {
namespace {

using ::testing::HasSubstr;

TEST(ServerLifecycle, SigtermEndsTheServerCleanly) {
    SqliteInvoiceDatabase database;
    ServerProcess server({"--db", database.Path()});
    EXPECT_EQ(server.Stop(SIGTERM), 0);
    EXPECT_THAT(server.Log(), HasSubstr("encerrado"));
}

TEST(ServerLifecycle, SigintEndsTheServerCleanly) {
    SqliteInvoiceDatabase database;
    ServerProcess server({"--db", database.Path()});
    EXPECT_EQ(server.Stop(SIGINT), 0);
    EXPECT_THAT(server.Log(), HasSubstr("encerrado"));
}

// Firebird's embedded engine has threads and signal handlers of its own; neither may keep a
// signal from the server, after calls have opened the workers' connections.
TEST(ServerLifecycle, SigtermEndsTheServerCleanlyOnAnEmbeddedFirebirdFile) {
    LocalInvoiceDatabase database("notas.fdb");
    ServerProcess server({"--db", database.Path()});
    InvoiceClient client(server.Host(), server.Port());
    GetNotaArgs args;
    EXPECT_EQ(client.Entries(args).size(), 6u);
    EXPECT_EQ(server.Stop(SIGTERM), 0);
    EXPECT_THAT(server.Log(), HasSubstr("encerrado"));
}

TEST(ServerLifecycle, ASignalRightAfterStartIsNotLost) {
    SqliteInvoiceDatabase database;
    for (int i = 0; i < 20; ++i) {
        ServerProcess server({"--db", database.Path()});
        ASSERT_EQ(server.Stop(SIGTERM), 0) << "start " << i;
    }
}

TEST(ServerLifecycle, RefusesToStartWithoutAUsableDatabase) {
    std::string output;
    EXPECT_EQ(RunServerToEnd({"--db", "/nonexistent/notas.sqlite", "--port", "0"}, output), 1);
    EXPECT_THAT(output, HasSubstr("/nonexistent/notas.sqlite"));
}

TEST(ServerLifecycle, BadCommandLineEndsWithStatus2AndSaysWhy) {
    std::string output;
    EXPECT_EQ(RunServerToEnd({"--db", "x", "--port", "70000"}, output), 2);
    EXPECT_THAT(output, HasSubstr("--port"));
    EXPECT_EQ(RunServerToEnd({"--port", "0"}, output), 2);
    EXPECT_THAT(output, HasSubstr("--db"));
}

TEST(ServerLifecycle, HelpDescribesTheOptions) {
    std::string output;
    EXPECT_EQ(RunServerToEnd({"--help"}, output), 0);
    for (const char* option :
         {"--db", "--listen", "--port", "--threads", "--max-body", "--timeout", "--request-timeout",
          "--keep-alive", "--max-connections", "--max-client-connections"}) {
        EXPECT_THAT(output, HasSubstr(option));
    }
    EXPECT_THAT(output, ::testing::Not(HasSubstr("--test")));

    EXPECT_EQ(RunServerToEnd({"--help"}, output, ServerProgram::Test), 0);
    EXPECT_THAT(output, HasSubstr("--timeout"));
    EXPECT_THAT(output, HasSubstr("--test-objects"));
    EXPECT_THAT(output, HasSubstr("--test-getnota"));
}

}  // namespace
}  // namespace servertest
