#include "host/net/net_connection.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/exception.h"
#include "host/net/net_context.h"
#include "host/ui/application.h"
#include "support/closed_port.h"
#include "support/failure_of.h"
#include "support/fake_host_ui.h"

namespace {

using testsupport::FailureOf;

using hostfw::DispatchArg;
using hostfw::TDateTime;
using hostfw::TNetConnection;
using hostfw::Variant;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// A connection whose before-connect handler sets the address from the test's "session", as the
// form's handler does, and counts its runs.
class NetConnectionTest : public testsupport::FakeUiTest {
protected:
    NetConnectionTest() {
        connection.SetServerName("exp03600.rdmRelConsLanc");
        connection.BeforeConnect = [this](hostfw::TObject*) {
            ++beforeConnectRuns;
            connection.SetHost(sessionHost);
            connection.SetPort(sessionPort);
        };
    }

    std::string Address() const { return sessionHost + ":" + std::to_string(sessionPort); }

    // Owned by the application whose UI the fixture records.
    TNetConnection connection{Owner()};
    int beforeConnectRuns = 0;
    std::string sessionHost = "127.0.0.1";
    int sessionPort = nettest::ClosedLoopbackPort();
};

TEST_F(NetConnectionTest, FailedConnectIsSilentWithThrowExceptionOff) {
    connection.SetThrowException(false);
    EXPECT_NO_THROW(connection.SetConnected(true));
    EXPECT_FALSE(connection.Connected());
    EXPECT_EQ(beforeConnectRuns, 1);
    EXPECT_THAT(connection.LastError(), HasSubstr(Address()));
    EXPECT_TRUE(ui.messages.empty());
}

TEST_F(NetConnectionTest, FailedConnectRaisesWithThrowExceptionOn) {
    connection.SetThrowException(true);
    EXPECT_THAT(FailureOf([this] { connection.SetConnected(true); }),
                HasSubstr("Não foi possível conectar ao servidor de aplicação em " + Address()));
    EXPECT_FALSE(connection.Connected());
}

TEST_F(NetConnectionTest, CallWhileNotConnectedConnectsOnceMoreThenNamesTheAddress) {
    connection.SetConnected(true);
    ASSERT_EQ(beforeConnectRuns, 1);
    sessionPort = nettest::ClosedLoopbackPort();  // the session changed meanwhile

    std::string rel = "A";
    std::vector<DispatchArg> args{DispatchArg::ByValue(Variant("0001")), DispatchArg::ByRef(rel)};
    const std::string failure = FailureOf([&] { connection.AppServer().Invoke("GetNota", args); });

    EXPECT_EQ(beforeConnectRuns, 2);
    EXPECT_THAT(failure, HasSubstr(Address()));
    EXPECT_EQ(rel, "A");
    EXPECT_FALSE(connection.Connected());
}

TEST_F(NetConnectionTest, BadAddressesAreRefusedNamingWhatWasGiven) {
    connection.SetThrowException(true);
    sessionHost = "";
    EXPECT_THAT(FailureOf([this] { connection.SetConnected(true); }),
                HasSubstr(":" + std::to_string(sessionPort) + " (endereço não informado)"));
    sessionHost = "http://servidor";
    EXPECT_THAT(FailureOf([this] { connection.SetConnected(true); }),
                HasSubstr("só o nome ou o IP"));
    sessionHost = "servidor\r\nX: y";
    EXPECT_THAT(FailureOf([this] { connection.SetConnected(true); }),
                HasSubstr("só o nome ou o IP"));
    sessionHost = "127.0.0.1";
    sessionPort = 0;
    EXPECT_THAT(FailureOf([this] { connection.SetConnected(true); }),
                HasSubstr("127.0.0.1:0 (porta fora do intervalo"));
    sessionHost = "::1";
    sessionPort = 70000;
    EXPECT_THAT(FailureOf([this] { connection.SetConnected(true); }), HasSubstr("[::1]:70000"));
}

TEST_F(NetConnectionTest, DispatchObjectExistsBeforeAnyConnect) {
    hostfw::TDispatch* first = &connection.AppServer();
    connection.SetConnected(true);
    connection.SetConnected(false);
    EXPECT_EQ(&connection.AppServer(), first);
}

TEST_F(NetConnectionTest, TimeoutsAreBounded) {
    const hostfw::NetTimeouts previous = connection.Timeouts();
    EXPECT_THROW(connection.SetTimeouts({std::chrono::milliseconds(0), previous.read}),
                 hostfw::Exception);
    EXPECT_THROW(connection.SetTimeouts(
                     {previous.connect, hostfw::kMaxNetTimeout + std::chrono::milliseconds(1)}),
                 hostfw::Exception);
    EXPECT_EQ(connection.Timeouts(), previous);
    const hostfw::NetTimeouts shorter{std::chrono::milliseconds(200), std::chrono::seconds(2)};
    connection.SetTimeouts(shorter);
    EXPECT_EQ(connection.Timeouts(), shorter);
}

TEST_F(NetConnectionTest, ANewConnectionWaitsAsLongAsTheSessionSays) {
    hostfw::NetContext fresh;
    hostfw::TContextOwner owner(fresh);
    const hostfw::NetTimeouts session{std::chrono::seconds(1), std::chrono::seconds(90)};
    fresh.Session().serverTimeouts = session;
    hostfw::TNetConnection created(&owner);
    EXPECT_EQ(created.Timeouts(), session);
    EXPECT_EQ(hostfw::TNetConnection(nullptr).Timeouts(), hostfw::NetTimeouts())
        << "outside any context a connection keeps the default bounds";
}

TEST_F(NetConnectionTest, EveryCallReachesTheUiAsSentEvenWhenItFails) {
    std::string list = ",1,11,";
    std::string flag;
    std::vector<DispatchArg> args{DispatchArg::ByValue(Variant("00\"1")),
                                  DispatchArg::ByValue(Variant(hostfw::EncodeDate(2026, 1, 1))),
                                  DispatchArg::ByRef(list), DispatchArg::ByRef(flag)};
    EXPECT_THROW(connection.AppServer().Invoke("GetNota", args), hostfw::Exception);

    ASSERT_EQ(ui.serverCalls.size(), 1u);
    const hostfw::ServerCallRecord& call = ui.serverCalls.front();
    EXPECT_EQ(call.object, "exp03600.rdmRelConsLanc");
    EXPECT_EQ(call.method, "GetNota");
    EXPECT_THAT(call.arguments,
                ElementsAre("\"00\\\"1\"", "date(2026-01-01)", "\",1,11,\"", "\"\""));
}

TEST_F(NetConnectionTest, ACallIsHeardAndWaitedForOnlyByItsOwnContext) {
    hostfw::NetContext own;
    hostfw::NetContext other;
    std::vector<std::string> ownCalls;
    std::vector<std::string> otherCalls;
    own.ServerCalls().Install(
        [&](const hostfw::ServerCallRecord& call) { ownCalls.push_back(call.method); });
    other.ServerCalls().Install(
        [&](const hostfw::ServerCallRecord& call) { otherCalls.push_back(call.method); });
    int waits = 0;
    own.SetCallWaiter([&](hostfw::PendingCall& call) {
        ++waits;
        call.Wait();
    });
    hostfw::TContextOwner owner(own);
    TNetConnection owned(&owner);
    owned.SetServerName("exp03600.rdmRelConsLanc");
    owned.SetHost(sessionHost);
    owned.SetPort(sessionPort);
    owned.SetConnected(true);  // refused: the port is closed; the call below connects again
    std::vector<DispatchArg> args{DispatchArg::ByValue(Variant(7))};
    EXPECT_THROW(owned.AppServer().Invoke("Ping", args), hostfw::Exception);
    EXPECT_THAT(ownCalls, ElementsAre("Ping"));
    EXPECT_TRUE(otherCalls.empty());
    EXPECT_TRUE(ui.serverCalls.empty()) << "the fixture's application's UI is another context's";
    EXPECT_EQ(waits, 0) << "a call that never connected is never waited for";
}

TEST_F(NetConnectionTest, WithoutAUiACallFailsWithItsOwnMessage) {
    Application().SetUi(nullptr);
    std::vector<DispatchArg> args{DispatchArg::ByValue(Variant(7))};
    const std::string failure = FailureOf([&] { connection.AppServer().Invoke("Ping", args); });
    EXPECT_THAT(failure, HasSubstr(Address()));
    EXPECT_TRUE(ui.serverCalls.empty());
}

}  // namespace
