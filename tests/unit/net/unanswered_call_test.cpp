// A call no server answered is sent once more on a new connection, to the next server of the
// list (or the same balancer); a call whose reply had begun is never sent again.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "host/net/http_call_client.h"
#include "scripted_reply_server.h"
#include "support/closed_port.h"
#include "support/failure_of.h"

namespace {

using hostfw::HttpCallClient;
using nettest::ClosingReply;
using nettest::JsonReply;
using nettest::ScriptedReplyServer;
using ::testing::HasSubstr;
using testsupport::FailureOf;

constexpr const char* kObject = "exp036.Teste";
const std::string kObjectInfo = R"({"version":1,"object":"exp036.Teste","methods":["Echo"]})";
// The server went away before a byte of the reply (killed, or its kept-alive connection closed).
const std::string kNoReply;

TEST(UnansweredCall, IsSentOnceMoreOnANewConnectionAndOnlyOnce) {
    {
        ScriptedReplyServer server({kNoReply, JsonReply(kObjectInfo)});
        HttpCallClient client("127.0.0.1", server.Port(), {});
        EXPECT_NO_THROW(client.CheckObject(kObject));
        EXPECT_EQ(server.Requests().size(), 2u);
    }
    {
        ScriptedReplyServer server({kNoReply, kNoReply, JsonReply(kObjectInfo)});
        HttpCallClient client("127.0.0.1", server.Port(), {});
        EXPECT_THAT(FailureOf([&] { client.CheckObject(kObject); }),
                    HasSubstr("antes de qualquer resposta"));
        EXPECT_EQ(server.Requests().size(), 2u) << "one more try, not more";
    }
    // A balancer's 502: the server behind it failed before answering.
    {
        ScriptedReplyServer server(
            {ClosingReply(502, "<html>Bad Gateway</html>"), JsonReply(kObjectInfo)});
        HttpCallClient client("127.0.0.1", server.Port(), {});
        EXPECT_NO_THROW(client.CheckObject(kObject));
        EXPECT_EQ(server.Requests().size(), 2u);
    }
}

TEST(UnansweredCall, AReplyBegunIsNeverAskedAgain) {
    const std::string cut =
        "HTTP/1.1 200 OK\r\nContent-Type: application/json\r\n"
        "Content-Length: 500\r\n\r\n{\"version\":1,";
    ScriptedReplyServer server({cut, JsonReply(kObjectInfo)});
    HttpCallClient client("127.0.0.1", server.Port(), {});
    EXPECT_THAT(FailureOf([&] { client.CheckObject(kObject); }),
                HasSubstr("a conexão caiu antes da resposta completa"));
    EXPECT_EQ(server.Requests().size(), 1u);
}

TEST(UnansweredCall, GoesToTheNextServerOfTheList) {
    ScriptedReplyServer second({JsonReply(kObjectInfo), JsonReply(kObjectInfo)});
    const int down = nettest::ClosedLoopbackPort();
    HttpCallClient client("127.0.0.1", down, {}, hostfw::kDefaultReplySizeLimit, "", false,
                          {{"127.0.0.1", second.Port()}});
    EXPECT_NO_THROW(client.CheckObject(kObject));
    EXPECT_EQ(second.Requests().size(), 1u);
    // It stays with the server that answered.
    EXPECT_NO_THROW(client.CheckObject(kObject));
    EXPECT_EQ(second.Requests().size(), 2u);

    // TLS for one and not another would send calls in clear: refused before anything is sent.
    EXPECT_THAT(FailureOf([&] {
                    HttpCallClient("https://127.0.0.1", down, {}, hostfw::kDefaultReplySizeLimit,
                                   "", false, {{"127.0.0.1", second.Port()}});
                }),
                HasSubstr("todos os servidores com https:// ou nenhum"));
}

}  // namespace
