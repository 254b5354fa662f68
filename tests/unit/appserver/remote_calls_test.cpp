// The framework's connection and dispatch object against the real server and its test object.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <signal.h>

#include <chrono>
#include <cstdint>
#include <limits>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "host/core/exception.h"
#include "host/net/http_call_client.h"
#include "host/net/net_connection.h"
#include "host/services/check_result_serv.h"
#include "invoice_database.h"
#include "support/failure_of.h"
#include "support/invoice_client.h"
#include "support/server_process.h"

namespace servertest {
namespace {

using hostfw::DispatchArg;
using hostfw::OleVariant;
using hostfw::TDateTime;
using hostfw::TNetConnection;
using hostfw::Variant;
using ::testing::HasSubstr;

constexpr const char* kTestObject = "exp036.Teste";

using testsupport::FailureOf;

class RemoteCallsTest : public ::testing::Test {
protected:
    // Each test gets its own server: some stop it or make it wait.
    void StartServer(std::vector<std::string> options = {}) {
        options.insert(options.begin(), {"--db", database_.Path(), "--test-objects"});
        server_ = std::make_unique<ServerProcess>(options, ServerProgram::Test);
        connection_.SetHost(server_->Host());
        connection_.SetPort(server_->Port());
    }

    void SetUp() override {
        connection_.SetServerName(kTestObject);
        connection_.SetThrowException(true);
    }

    OleVariant Call(const std::string& method, std::vector<DispatchArg> args) {
        return connection_.AppServer().Invoke(method, args);
    }

    std::string Address() const { return server_->Host() + ":" + std::to_string(server_->Port()); }

    SqliteInvoiceDatabase database_;
    std::unique_ptr<ServerProcess> server_;
    TNetConnection connection_{nullptr};
};

TEST_F(RemoteCallsTest, EveryArgumentTypeRoundTrips) {
    StartServer();
    connection_.SetConnected(true);
    ASSERT_TRUE(connection_.Connected());
    for (const Variant& value :
         {Variant(), Variant::Null(), Variant("João \"Café\" \\ ç\n"), Variant(""),
          Variant(std::numeric_limits<std::int64_t>::max()),
          Variant(std::numeric_limits<std::int64_t>::min()), Variant(0.1), Variant(-2.5e-300),
          Variant(true), Variant(false), Variant(TDateTime{45658.0}),
          Variant(TDateTime{45658.999988425926}), Variant(TDateTime{-657434.0})}) {
        const OleVariant result = Call("Echo", {DispatchArg::ByValue(value)});
        EXPECT_EQ(result.AsVariant(), value) << hostfw::KindName(value.kind());
    }
}

TEST_F(RemoteCallsTest, ByReferenceVariablesTakeWhatTheServerLeft) {
    StartServer();
    Variant first(TDateTime{45658.5});
    std::string last = "fim";
    const OleVariant result = Call(
        "Reverse",
        {DispatchArg::ByRef(first), DispatchArg::ByValue(Variant(7)), DispatchArg::ByRef(last)});
    EXPECT_EQ(result.AsVariant(), Variant(3));
    EXPECT_EQ(first, Variant("fim"));
    // A string variable takes the text of whatever the server left.
    EXPECT_EQ(last, Variant(TDateTime{45658.5}).AsString());
}

TEST_F(RemoteCallsTest, ErrorReplyCarriesTheServersTextToCheckResultServ) {
    StartServer();
    std::string untouched = "A";
    const OleVariant result = Call("Fail", {DispatchArg::ByRef(untouched)});
    ASSERT_TRUE(result.IsError());
    EXPECT_EQ(result.ErrorMessage(), "A");
    EXPECT_EQ(FailureOf([&] { hostfw::CheckResultServ(result, true, 0); }), "A");
}

TEST_F(RemoteCallsTest, ConnectingToAnObjectTheServerLacksIsRefusedNamingIt) {
    StartServer();
    connection_.SetServerName("exp03600.rdmOutro");
    EXPECT_THAT(FailureOf([this] { connection_.SetConnected(true); }),
                HasSubstr("exp03600.rdmOutro não é oferecido"));
    EXPECT_FALSE(connection_.Connected());
}

TEST_F(RemoteCallsTest, StoppedServerGivesAClearFailureNamingTheAddress) {
    StartServer();
    connection_.SetConnected(true);
    ASSERT_EQ(Call("Echo", {DispatchArg::ByValue(Variant(1))}).AsVariant(), Variant(1));
    ASSERT_EQ(server_->Stop(SIGTERM), 0);

    const std::string failure =
        FailureOf([this] { Call("Echo", {DispatchArg::ByValue(Variant(1))}); });
    EXPECT_THAT(failure,
                HasSubstr("Falha na chamada de Echo ao servidor de aplicação em " + Address()));
}

TEST_F(RemoteCallsTest, ACallThatOutlivesTheServersLimitIsRefusedWith503Text) {
    StartServer({"--timeout", "1"});
    const OleVariant result = Call("Sleep", {DispatchArg::ByValue(Variant(5000))});
    ASSERT_TRUE(result.IsError());
    EXPECT_THAT(result.ErrorMessage(), HasSubstr("tempo limite de 1 s"));
}

// The statement is stopped in the database, so the only worker is free for the next call.
TEST_F(RemoteCallsTest, AStatementPastTheCallsLimitIsInterruptedInTheDatabase) {
    StartServer({"--timeout", "1", "--threads", "1"});
    const OleVariant result = Call("Count", {DispatchArg::ByValue(Variant(1'000'000'000'000))});
    ASSERT_TRUE(result.IsError());
    EXPECT_THAT(result.ErrorMessage(), HasSubstr("tempo limite de 1 s"));
    EXPECT_EQ(Call("Echo", {DispatchArg::ByValue(Variant("ok"))}).AsVariant(), Variant("ok"));
}

TEST_F(RemoteCallsTest, ReplyThatOutlivesTheClientsReadLimitFailsClearlyAndTheNextCallWorks) {
    StartServer();
    connection_.SetTimeouts({std::chrono::seconds(2), std::chrono::milliseconds(300)});
    const std::string failure =
        FailureOf([this] { Call("Sleep", {DispatchArg::ByValue(Variant(3000))}); });
    EXPECT_THAT(failure, HasSubstr(Address()));
    EXPECT_THAT(failure, HasSubstr("300 ms"));
    EXPECT_EQ(Call("Echo", {DispatchArg::ByValue(Variant("ok"))}).AsVariant(), Variant("ok"));
}

TEST_F(RemoteCallsTest, KeptAliveConnectionSurvivesTheServerClosingItWhenIdle) {
    StartServer({"--keep-alive", "1"});
    ASSERT_EQ(Call("Echo", {DispatchArg::ByValue(Variant(1))}).AsVariant(), Variant(1));
    std::this_thread::sleep_for(std::chrono::milliseconds(1600));
    EXPECT_EQ(Call("Echo", {DispatchArg::ByValue(Variant(2))}).AsVariant(), Variant(2));
}

// Several clients at once (the framework's HTTP client, one per thread, since a connection
// component belongs to the one UI thread): each gets its own branch's rows.
TEST_F(RemoteCallsTest, ManyClientsAtOnceEachGetTheirOwnAnswer) {
    StartServer({"--threads", "3"});
    constexpr int kClients = 6;
    constexpr int kCalls = 15;
    std::vector<int> wrong(kClients, 0);
    std::vector<std::thread> clients;
    for (int c = 0; c < kClients; ++c) {
        clients.emplace_back([this, c, &wrong] {
            hostfw::HttpCallClient client(server_->Host(), server_->Port(), {});
            const bool even = c % 2 == 0;
            hostfw::CallRequest request{{{Variant(even ? "0001" : "0002"), false},
                                         {Variant(TDateTime{45658.0}), false},
                                         {Variant(TDateTime{45716.0}), false},
                                         {Variant(""), true},
                                         {Variant("T"), true},
                                         {Variant(""), true},
                                         {Variant("T"), true},
                                         {Variant(""), true},
                                         {Variant("A"), true}}};
            for (int i = 0; i < kCalls; ++i) {
                const hostfw::CallReply reply =
                    client.Call("exp03600.rdmRelConsLanc", "GetNota", request);
                if (hostfw::CheckResultServ(reply.result, true, 0).rows.size() != (even ? 6u : 2u))
                    ++wrong[static_cast<std::size_t>(c)];
            }
        });
    }
    for (std::thread& client : clients)
        client.join();
    EXPECT_THAT(wrong, ::testing::Each(0));
}

// GetNota in the server's test modes: what the report form must cope with.
class GetNotaTestModesTest : public RemoteCallsTest {};

TEST_F(GetNotaTestModesTest, KindCModeWritesCIntoTheReportKindOnly) {
    StartServer({"--test-getnota", "kind-c"});
    InvoiceClient client(server_->Host(), server_->Port());
    GetNotaArgs args;
    args.statuses = "PEAC";
    client.Load(args);
    EXPECT_EQ(args.reportKind, "C");
    EXPECT_EQ(args.statuses, "PEAC");
    EXPECT_EQ(args.clientFlag, "T");
    EXPECT_EQ(client.Invoices().RecordCount(), 6);
}

TEST_F(GetNotaTestModesTest, ErrorModeRaisesTheServersTextAndKeepsTheOldRows) {
    StartServer({"--test-getnota", "error"});
    InvoiceClient client(server_->Host(), server_->Port());
    GetNotaArgs args;
    EXPECT_THAT(FailureOf([&] { client.Load(args); }), HasSubstr("Falha de teste"));
    EXPECT_EQ(args.reportKind, "A");
}

TEST_F(GetNotaTestModesTest, EmptyModeLoadsNoRow) {
    StartServer({"--test-getnota", "empty"});
    InvoiceClient client(server_->Host(), server_->Port());
    GetNotaArgs args;
    client.Load(args);
    EXPECT_TRUE(client.Invoices().IsEmpty());
    EXPECT_EQ(client.Invoices().Fields().size(), 6u);
}

}  // namespace
}  // namespace servertest
