// A call to the application server the person gives up: the caller is freed at once, what the
// call still brings is dropped, and its connection is closed under it.
#include "host/net/pending_call.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <stop_token>
#include <thread>

#include "host/net/http_call_client.h"
#include "support/failure_of.h"
#include "support/silent_listener.h"

namespace {

using namespace std::chrono_literals;
using hostfw::CallCancelled;
using hostfw::CallReply;
using hostfw::PendingCall;
using ::testing::HasSubstr;
using testsupport::FailureOf;

// A call that answers once it is asked to stop, as one whose reply arrives just too late.
CallReply AnswerWhenStopped(std::stop_token stop) {
    while (!stop.stop_requested())
        std::this_thread::sleep_for(5ms);
    return CallReply{hostfw::OleVariant(hostfw::Variant("tarde")), {}};
}

TEST(PendingCall, AReplyOrAFailureReachesTheCallerUnlessTheCallWasGivenUp) {
    PendingCall answered("GetNota", [](std::stop_token) {
        return CallReply{hostfw::OleVariant(hostfw::Variant("ok")), {}};
    });
    EXPECT_EQ(answered.TakeReply().result.AsVariant(), hostfw::Variant("ok"));

    PendingCall failed("GetNota", [](std::stop_token) -> CallReply {
        throw hostfw::Exception("servidor fora do ar");
    });
    EXPECT_EQ(FailureOf([&] { failed.TakeReply(); }), "servidor fora do ar");

    PendingCall givenUp("GetNota", AnswerWhenStopped);
    EXPECT_FALSE(givenUp.WaitFor(20ms));
    givenUp.Cancel();
    EXPECT_TRUE(givenUp.Cancelled());
    EXPECT_THROW(givenUp.TakeReply(), CallCancelled);
}

TEST(PendingCall, TheWaiterDecidesAndWithoutOneTheCallRunsOnTheCallersThread) {
    const auto caller = std::this_thread::get_id();
    std::thread::id ranOn;
    hostfw::AwaitCall(nullptr, "GetNota", [&](std::stop_token stop) {
        ranOn = std::this_thread::get_id();
        EXPECT_FALSE(stop.stop_possible());
        return CallReply{};
    });
    EXPECT_EQ(ranOn, caller);

    const hostfw::CallWaiter givesUp = [](PendingCall& call) { call.Cancel(); };
    EXPECT_THROW(hostfw::AwaitCall(givesUp, "GetNota", AnswerWhenStopped), CallCancelled);
}

TEST(PendingCall, GivingUpClosesTheConnectionAtOnceAndTheCallSaysItWasAbandoned) {
    testsupport::SilentListener server;
    // A read bound far beyond the test's: the call can only end this soon by being given up.
    hostfw::HttpCallClient client("127.0.0.1", server.Port(), {3000ms, 600000ms});
    std::stop_source stop;
    std::thread person([&] {
        if (server.WaitForClient(10000ms))
            std::this_thread::sleep_for(100ms);
        stop.request_stop();
    });
    const std::string failure =
        FailureOf([&] { client.Call("exp03600.rdmRelConsLanc", "GetNota", {}, stop.get_token()); });
    person.join();
    EXPECT_THAT(failure, HasSubstr("chamada abandonada"));
    EXPECT_TRUE(server.ClientHungUp(5000ms)) << "the server would go on working for nobody";
}

}  // namespace
