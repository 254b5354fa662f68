// The parts of the server's sign-in that need no PostgreSQL: slowing down guesses, the expiry of
// tokens and of kept connections, the sign-in messages and the refusal to listen beyond
// loopback unprotected.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "host/data/engine.h"
#include "host/wire/sign_in_messages.h"
#include "host/wire/wire_codec.h"
#include "invoice_database.h"
#include "listen_exposure.h"
#include "person_engines.h"
#include "person_sessions.h"
#include "sign_in_throttle.h"
#include "support/server_process.h"
#include "token_seal.h"

namespace {

using appserver::SignInThrottle;
using std::chrono::seconds;

TEST(SignInThrottle, RefusalsBeyondTheFreeOnesMakeTheLoginWaitLongerUpToTheBound) {
    SignInThrottle throttle;
    const auto t0 = SignInThrottle::Clock::time_point{} + std::chrono::hours(10);
    for (int i = 0; i < SignInThrottle::kFreeFailures - 1; ++i)
        throttle.Refused("maria", "10.0.0.1", t0);
    EXPECT_FALSE(throttle.WaitFor("maria", "10.0.0.1", t0)) << "a few typing mistakes cost nothing";
    throttle.Refused("maria", "10.0.0.1", t0);
    EXPECT_EQ(throttle.WaitFor("maria", "10.0.0.1", t0), seconds(1));
    throttle.Refused("maria", "10.0.0.1", t0);
    EXPECT_EQ(throttle.WaitFor("maria", "10.0.0.1", t0), seconds(2));
    EXPECT_FALSE(throttle.WaitFor("maria", "10.0.0.2", t0)) << "other addresses are not held up";
    for (int i = 0; i < 40; ++i)
        throttle.Refused("maria", "10.0.0.1", t0);
    EXPECT_EQ(throttle.WaitFor("maria", "10.0.0.1", t0), SignInThrottle::kLongestWait);
    EXPECT_FALSE(throttle.WaitFor("maria", "10.0.0.1", t0 + SignInThrottle::kLongestWait));
    throttle.Accepted("maria", "10.0.0.1");
    throttle.Refused("maria", "10.0.0.1", t0);
    EXPECT_FALSE(throttle.WaitFor("maria", "10.0.0.1", t0)) << "an accepted sign-in starts over";
}

// One colleague's mistyped password must not lock out the office behind the same NAT address.
TEST(SignInThrottle, ALoginHeldBackHoldsBackNoColleagueAtTheSameAddress) {
    SignInThrottle throttle;
    const auto t0 = SignInThrottle::Clock::time_point{} + std::chrono::hours(10);
    for (int i = 0; i < 10; ++i)
        throttle.Refused("joao", "10.0.0.1", t0);
    ASSERT_TRUE(throttle.WaitFor("joao", "10.0.0.1", t0));
    EXPECT_FALSE(throttle.WaitFor("maria", "10.0.0.1", t0));
    throttle.Accepted("maria", "10.0.0.1");
    EXPECT_TRUE(throttle.WaitFor("joao", "10.0.0.1", t0)) << "her sign-in frees nobody else";
}

TEST(PersonSessions, TokensAreUnguessableAndEndAfterTheIdleTime) {
    appserver::PersonSessions sessions(std::chrono::minutes(15));
    const auto t0 = appserver::PersonSessions::Clock::time_point{} + std::chrono::hours(10);
    std::set<std::string> tokens;
    for (int i = 0; i < 100; ++i)
        tokens.insert(sessions.Open({{"maria", "Maria", "0001", true}, {"maria", "x"}}, t0));
    EXPECT_EQ(tokens.size(), 100u);
    const std::string token = *tokens.begin();
    EXPECT_EQ(token.find('.'), 64u) << "a random part of 32 bytes, then the sealed password";
    ASSERT_TRUE(sessions.Find(token, t0 + std::chrono::minutes(14)));
    EXPECT_EQ(sessions.Find(token, t0 + std::chrono::minutes(28))->person.login, "maria")
        << "each use restarts the idle time";
    EXPECT_FALSE(sessions.Find(token, t0 + std::chrono::minutes(44)));
    EXPECT_FALSE(sessions.Find(std::string(64, '0'), t0));
}

// A token carries the person's password sealed with the servers' key: a server with the same key
// reads it back, one with another key or a token altered anywhere gets nothing.
TEST(PersonSessions, OnlyAServerWithTheSameKeyReadsThePasswordInAToken) {
    const auto t0 = appserver::PersonSessions::Clock::time_point{} + std::chrono::hours(10);
    const auto key = [] {
        const auto path =
            std::filesystem::temp_directory_path() / ("exp036-chave-" + std::to_string(getpid()));
        std::ofstream(path) << std::string(64, 'c') << "\n";
        chmod(path.c_str(), 0600);
        auto seal = appserver::TokenSeal::FromFile(path);
        std::filesystem::remove(path);
        return seal;
    };
    appserver::PersonSessions giver(std::chrono::minutes(15), key());
    appserver::PersonSessions sameKey(std::chrono::minutes(15), key());
    appserver::PersonSessions otherKey(std::chrono::minutes(15));
    const std::string token = giver.Open({{"ana", "Ana", "0001", false}, {"ana", "s3nh@"}}, t0);
    EXPECT_EQ(token.find("s3nh@"), std::string::npos);
    EXPECT_EQ(sameKey.PasswordIn(token), "s3nh@");
    EXPECT_FALSE(sameKey.Find(token, t0)) << "known to the other server only once confirmed";
    EXPECT_FALSE(otherKey.PasswordIn(token));
    for (const std::size_t at : {std::size_t{3}, token.find('.') + 5, token.size() - 1}) {
        std::string altered = token;
        altered[at] = altered[at] == '0' ? '1' : '0';
        EXPECT_FALSE(sameKey.PasswordIn(altered)) << "changed at " << at;
    }
    EXPECT_FALSE(sameKey.PasswordIn(token.substr(0, token.find('.'))));
    EXPECT_FALSE(sameKey.PasswordIn("x.zz"));
}

// What a server knows of a token is trusted for a moment only: then the shared table is asked.
TEST(PersonSessions, ASignInIsConfirmedAgainAfterAMoment) {
    appserver::PersonSessions sessions(std::chrono::minutes(15));
    const auto t0 = appserver::PersonSessions::Clock::time_point{} + std::chrono::hours(10);
    const std::string token = sessions.Open({{"ana", "Ana", "0001", false}, {"ana", "s"}}, t0);
    EXPECT_TRUE(sessions.Fresh(token, t0 + std::chrono::seconds(1)));
    EXPECT_FALSE(sessions.Fresh(token, t0 + appserver::PersonSessions::kConfirmEvery));
    sessions.Confirmed(token, t0 + std::chrono::seconds(5));
    EXPECT_TRUE(sessions.Fresh(token, t0 + std::chrono::seconds(6)));
    sessions.Forget(token);
    EXPECT_FALSE(sessions.Fresh(token, t0 + std::chrono::seconds(6)));
    EXPECT_FALSE(sessions.Find(token, t0 + std::chrono::seconds(6)));
}

// The password a sign-in keeps goes with it once it is idle, whether anyone signs in later or not.
TEST(PersonSessions, AnIdleSignInIsForgottenWithItsPassword) {
    appserver::PersonSessions sessions(std::chrono::minutes(15));
    const auto t0 = appserver::PersonSessions::Clock::time_point{} + std::chrono::hours(10);
    const std::string token = sessions.Open({{"ana", "Ana", "0001", false}, {"ana", "s"}}, t0);
    const std::weak_ptr<const appserver::SignedInPerson> kept = sessions.Find(token, t0);
    sessions.ForgetIdle(t0 + std::chrono::minutes(14));
    EXPECT_FALSE(kept.expired()) << "still in use";
    sessions.ForgetIdle(t0 + std::chrono::minutes(16));
    EXPECT_TRUE(kept.expired()) << "the password left memory";
    EXPECT_FALSE(sessions.Find(token, t0 + std::chrono::minutes(16)));
}

// Kept connections are told apart by how long they have been idle; a lent one is not idle.
TEST(PersonEngines, OnlyConnectionsIdleLongerThanTheIdleTimeAreClosed) {
    const servertest::SqliteInvoiceDatabase database;
    appserver::PersonEngines engines(database.Path(), std::chrono::seconds(60));
    const auto t0 = appserver::PersonEngines::Clock::now();
    std::shared_ptr<hostfw::Engine> engine = hostfw::OpenDatabase(database.Path());
    const std::weak_ptr<hostfw::Engine> kept = engine;
    engines.Keep("maria", std::move(engine));
    engines.CloseIdle(t0 + std::chrono::seconds(30));
    EXPECT_FALSE(kept.expired()) << "idle for less than the idle time";
    engines.CloseIdle(t0 + std::chrono::hours(1));
    EXPECT_TRUE(kept.expired()) << "idle for longer than the idle time";
}

TEST(SignInMessages, OnlyAWellFormedSignInIsRead) {
    const hostfw::Credentials read =
        hostfw::DecodeSignInRequest(hostfw::EncodeSignInRequest({"maria", "s\"enha"}));
    EXPECT_EQ(read.user, "maria");
    EXPECT_EQ(read.password, "s\"enha");
    for (const char* body :
         {R"({"version":1,"user":"maria","password":"x"})", R"({"version":2,"user":"maria"})",
          R"({"version":2,"user":"","password":"x"})", R"({"version":2,"user":1,"password":"x"})",
          R"({"version":2,"user":"a\u0000b","password":"x"})", "[]", "not json"})
        EXPECT_THROW(hostfw::DecodeSignInRequest(body), hostfw::WireFormatError) << body;
    EXPECT_THROW(
        hostfw::DecodeSignInRequest(hostfw::EncodeSignInRequest({std::string(64, 'a'), "x"})),
        hostfw::WireFormatError);
    const std::string reply = hostfw::EncodeSignInReply("abc123", {"maria", "Maria", "0001", true},
                                                        std::chrono::minutes(15));
    EXPECT_EQ(hostfw::DecodeSignInToken(reply), "abc123");
    EXPECT_THROW(hostfw::DecodeSignInToken(R"({"version":2,"token":"a\r\nX-Evil: 1"})"),
                 hostfw::WireFormatError)
        << "a token goes back in a header";
}

TEST(ListenExposure, BeyondLoopbackTheServerRefusesUnlessProtectedOrTold) {
    EXPECT_TRUE(appserver::IsLoopbackOnly("127.0.0.1"));
    EXPECT_TRUE(appserver::IsLoopbackOnly("127.3.2.1"));
    EXPECT_TRUE(appserver::IsLoopbackOnly("::1"));
    EXPECT_FALSE(appserver::IsLoopbackOnly("0.0.0.0"));
    EXPECT_FALSE(appserver::IsLoopbackOnly("::"));

    appserver::ServerOptions options;
    options.listenHost = "0.0.0.0";
    const auto refusal = appserver::ExposureRefusal(options, false, true);
    ASSERT_TRUE(refusal);
    EXPECT_NE(refusal->find("sem TLS"), std::string::npos) << *refusal;
    EXPECT_EQ(refusal->find("sem entrada"), std::string::npos) << *refusal;
    EXPECT_FALSE(appserver::ExposureRefusal(options, true, true));
    options.insecure = true;
    EXPECT_FALSE(appserver::ExposureRefusal(options, false, false));
}

// Listening on every address is refused before anything is bound; nothing leaves the machine.
TEST(ListenExposure, TheServerSaysWhyItWillNotListenOnEveryAddress) {
    const servertest::SqliteInvoiceDatabase database;
    std::string output;
    EXPECT_EQ(servertest::RunServerToEnd({"--db", database.Path(), "--listen", "0.0.0.0"}, output),
              2);
    EXPECT_NE(output.find("recusado escutar em 0.0.0.0, fora do loopback, sem TLS"),
              std::string::npos)
        << output;
    EXPECT_EQ(output.find("listening on"), std::string::npos);

    // Told to, it listens there, and says at once what that risks; the test reaches it over
    // loopback only.
    const servertest::ServerProcess server(
        {"--db", database.Path(), "--listen", "0.0.0.0", "--insecure"});
    EXPECT_GT(server.Port(), 0);
    EXPECT_NE(server.Log().find("aviso: --insecure: o servidor aceita escutar além do loopback"),
              std::string::npos)
        << server.Log();
}

}  // namespace
