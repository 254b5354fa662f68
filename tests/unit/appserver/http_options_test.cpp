// The server's command line and its content negotiation.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "media_type.h"
#include "server_options.h"
#include "test_server_options.h"

namespace {

using appserver::ParseServerOptions;
using ::testing::HasSubstr;

std::string RefusalOf(const std::vector<std::string>& args) {
    try {
        ParseServerOptions(args);
    } catch (const std::invalid_argument& error) {
        return error.what();
    }
    return "(aceito)";
}

TEST(ServerOptions, DefaultsListenOnLoopbackOnly) {
    const auto options = ParseServerOptions({"--db", "notas.sqlite"});
    ASSERT_TRUE(options.has_value());
    EXPECT_EQ(options->database, "notas.sqlite");
    EXPECT_EQ(options->listenHost, "127.0.0.1");
}

TEST(ServerOptions, ReadsEveryOptionInBothSpellings) {
    const auto options = ParseServerOptions(
        {"--db=postgresql://x/y", "--listen", "0.0.0.0", "--port=0", "--threads", "8",
         "--max-body=2048", "--timeout", "5", "--keep-alive=2", "--request-timeout", "3",
         "--max-connections=100", "--max-client-connections", "4", "--connection-idle=1"});
    ASSERT_TRUE(options.has_value());
    EXPECT_EQ(options->database, "postgresql://x/y");
    EXPECT_EQ(options->listenHost, "0.0.0.0");
    EXPECT_EQ(options->port, 0);
    EXPECT_EQ(options->threads, 8);
    EXPECT_EQ(options->maxBody, 2048u);
    EXPECT_EQ(options->timeoutSeconds, 5);
    EXPECT_EQ(options->keepAliveSeconds, 2);
    EXPECT_EQ(options->requestTimeoutSeconds, 3);
    EXPECT_EQ(options->maxConnections, 100);
    EXPECT_EQ(options->maxClientConnections, 4);
    EXPECT_EQ(options->connectionIdleSeconds, 1);
    EXPECT_THAT(RefusalOf({"--db", "x", "--connection-idle", "0"}),
                HasSubstr("--connection-idle: valor inválido '0'"));
}

TEST(ServerOptions, TheShippedServerHasNoTestOption) {
    EXPECT_THAT(RefusalOf({"--db", "x", "--test-objects"}), HasSubstr("'--test-objects'"));
    EXPECT_THAT(RefusalOf({"--db", "x", "--test-getnota", "error"}), HasSubstr("'--test-getnota'"));
}

TEST(TestServerOptions, AreTakenOutAndTheRestLeftForTheCommonOnes) {
    std::vector<std::string> args{"--db",   "x", "--test-objects", "--test-getnota", "kind-c",
                                  "--port", "0"};
    const auto options = appserver::TakeTestServerOptions(args);
    EXPECT_TRUE(options.testObjects);
    EXPECT_EQ(options.getNotaTestMode, appserver::GetNotaTestMode::KindC);
    EXPECT_THAT(args, ::testing::ElementsAre("--db", "x", "--port", "0"));

    std::vector<std::string> inlineMode{"--test-getnota=empty"};
    EXPECT_EQ(appserver::TakeTestServerOptions(inlineMode).getNotaTestMode,
              appserver::GetNotaTestMode::EmptyPacket);
    EXPECT_TRUE(inlineMode.empty());

    std::vector<std::string> unknown{"--test-getnota", "sempre"};
    EXPECT_THROW(appserver::TakeTestServerOptions(unknown), std::invalid_argument);
    std::vector<std::string> missing{"--test-getnota"};
    EXPECT_THROW(appserver::TakeTestServerOptions(missing), std::invalid_argument);
}

TEST(ServerOptions, HelpWinsOverEverythingElse) {
    EXPECT_FALSE(ParseServerOptions({"--port", "1", "--help"}).has_value());
    EXPECT_FALSE(ParseServerOptions({"-h"}).has_value());
}

TEST(ServerOptions, RefusalsNameTheOption) {
    EXPECT_THAT(RefusalOf({"--port", "0"}), HasSubstr("--db"));
    EXPECT_THAT(RefusalOf({"--db", "x", "--port", "65536"}), HasSubstr("--port"));
    EXPECT_THAT(RefusalOf({"--db", "x", "--port", "8o"}), HasSubstr("'8o'"));
    EXPECT_THAT(RefusalOf({"--db", "x", "--threads", "0"}), HasSubstr("--threads"));
    EXPECT_THAT(RefusalOf({"--db", "x", "--max-body", "10"}), HasSubstr("--max-body"));
    EXPECT_THAT(RefusalOf({"--db", "x", "--timeout"}), HasSubstr("falta o valor"));
    EXPECT_THAT(RefusalOf({"--db", "x", "--keep-alive", "0"}), HasSubstr("--keep-alive"));
    EXPECT_THAT(RefusalOf({"--db", "x", "--request-timeout", "0"}), HasSubstr("--request-timeout"));
    EXPECT_THAT(RefusalOf({"--db", "x", "--max-client-connections", "0"}),
                HasSubstr("--max-client-connections"));
    EXPECT_THAT(RefusalOf({"--db", "x", "--listen="}), HasSubstr("--listen"));
    EXPECT_THAT(RefusalOf({"--db", "x", "--verbose"}), HasSubstr("'--verbose'"));
}

TEST(MediaType, RequestBodyMustBeJson) {
    EXPECT_TRUE(appserver::IsJsonContentType(""));
    EXPECT_TRUE(appserver::IsJsonContentType("application/json"));
    EXPECT_TRUE(appserver::IsJsonContentType("Application/JSON; charset=utf-8"));
    EXPECT_FALSE(appserver::IsJsonContentType("text/plain"));
    EXPECT_FALSE(appserver::IsJsonContentType("application/jsonx"));
}

TEST(MediaType, ReplyMayBeJsonUnlessRefused) {
    EXPECT_TRUE(appserver::AcceptsJson(""));
    EXPECT_TRUE(appserver::AcceptsJson("*/*"));
    EXPECT_TRUE(appserver::AcceptsJson("text/html, application/*;q=0.2"));
    EXPECT_TRUE(appserver::AcceptsJson("application/json;q=0.5"));
    EXPECT_FALSE(appserver::AcceptsJson("application/json;q=0"));
    EXPECT_FALSE(appserver::AcceptsJson("application/json; q=0.0, text/html"));
    EXPECT_FALSE(appserver::AcceptsJson("text/*"));
}

}  // namespace
