// A server gone wrong must not keep the host waiting past its timeout or fill its memory.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <string>

#include "host/net/http_call_client.h"
#include "scripted_reply_server.h"
#include "support/failure_of.h"

namespace {

using hostfw::CallRequest;
using hostfw::HttpCallClient;
using hostfw::Variant;
using ::testing::HasSubstr;
using testsupport::FailureOf;

std::string TextReply(std::size_t length) {
    return nettest::JsonReply(R"({"version":1,"result":{"type":"string","value":")" +
                              std::string(length, 'x') + R"("}})");
}

std::string CallThrough(HttpCallClient& client) {
    return FailureOf([&] {
        client.Call("exp036.Teste", "Echo", CallRequest{{{Variant(1), false}}});
    });
}

TEST(ReplyBounds, AReplyTricklingInPastTheTimeoutFailsThoughEveryByteCameInTime) {
    // About 10 s to send whole at a byte per 100 ms; the client allows 1 s for all of it.
    nettest::ScriptedReplyServer server(TextReply(20), 1, std::chrono::milliseconds(100));
    HttpCallClient client("127.0.0.1", server.Port(),
                          {std::chrono::seconds(3), std::chrono::seconds(1)});
    const std::string failure = CallThrough(client);
    EXPECT_THAT(failure, HasSubstr("127.0.0.1:" + std::to_string(server.Port())));
    EXPECT_THAT(failure, HasSubstr("não chegou inteira em 1 s"));
}

TEST(ReplyBounds, AReplyOverTheSizeLimitFailsNamingTheLimit) {
    nettest::ScriptedReplyServer server(TextReply(2 << 20), 64 * 1024,
                                        std::chrono::milliseconds(0));
    HttpCallClient client("127.0.0.1", server.Port(), {}, 1 << 20);
    EXPECT_THAT(CallThrough(client), HasSubstr("excede o limite de 1048576 bytes"));
}

TEST(ReplyBounds, AReplyWithinBothBoundsIsTakenIn) {
    nettest::ScriptedReplyServer server(TextReply(1000), 100, std::chrono::milliseconds(1));
    HttpCallClient client("127.0.0.1", server.Port(), {}, 1 << 20);
    const hostfw::CallReply reply =
        client.Call("exp036.Teste", "Echo", CallRequest{{{Variant(1), false}}});
    EXPECT_EQ(reply.result.AsVariant(), Variant(std::string(1000, 'x')));
}

TEST(ReplyBounds, TheSizeLimitIsBounded) {
    EXPECT_THAT(FailureOf([] { HttpCallClient("127.0.0.1", 1, {}, 1000); }),
                HasSubstr("Tamanho máximo de resposta"));
    EXPECT_THAT(FailureOf([] { HttpCallClient("127.0.0.1", 1, {}, (std::size_t{4} << 30) + 1); }),
                HasSubstr("Tamanho máximo de resposta"));
}

}  // namespace
