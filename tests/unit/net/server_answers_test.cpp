// What the client does with a server that asks for a password or is full: a password never goes
// out in clear unless the person accepts it, and a full server is asked once more, after the wait
// it names.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "host/components/component_context.h"
#include "host/net/http_call_client.h"
#include "host/net/net_connection.h"
#include "host/net/net_context.h"
#include "host/net/server_credentials.h"
#include "scripted_reply_server.h"
#include "support/failure_of.h"

namespace {

using hostfw::HttpCallClient;
using nettest::ClosingReply;
using nettest::ScriptedReplyServer;
using ::testing::HasSubstr;
using testsupport::FailureOf;

constexpr const char* kObject = "exp036.Teste";
const std::string kObjectInfo = R"({"version":1,"object":"exp036.Teste","methods":["Echo"]})";

std::string ErrorBody(const std::string& message) {
    return R"({"version":1,"error":{"message":")" + message + R"("}})";
}

// A server at an address anyone on the network may hold, answering every request with 401.
class PlainHttpSignIn : public ::testing::Test {
protected:
    const hostfw::ServerCredentialsSource maria = [] {
        return std::optional<hostfw::Credentials>({"maria", "segredo-da-maria"});
    };

    static bool PasswordSent(ScriptedReplyServer& server) {
        for (const std::string& request : server.Requests()) {
            if (request.find("segredo-da-maria") != std::string::npos)
                return true;
        }
        return false;
    }

    const std::string unauthorized = ClosingReply(401, ErrorBody("Este servidor exige entrada."));
};

TEST_F(PlainHttpSignIn, APasswordNeverGoesToAServerOverPlainHttp) {
    ScriptedReplyServer server({unauthorized, unauthorized, unauthorized});
    HttpCallClient client("127.0.0.1", server.Port(), {}, hostfw::kDefaultReplySizeLimit, "", false,
                          {}, maria);
    const std::string failure = FailureOf([&] { client.CheckObject(kObject); });
    EXPECT_THAT(failure, HasSubstr("pede usuário e senha, mas a conexão com ele não é cifrada"));
    EXPECT_THAT(failure, HasSubstr("--server-plain-password"));
    EXPECT_FALSE(PasswordSent(server)) << "the password reached the server";
}

TEST_F(PlainHttpSignIn, APersonWhoAcceptsTheRiskSignsInOverPlainHttp) {
    ScriptedReplyServer server({unauthorized, unauthorized});
    HttpCallClient client("127.0.0.1", server.Port(), {}, hostfw::kDefaultReplySizeLimit, "", true,
                          {}, maria);
    EXPECT_THAT(FailureOf([&] { client.CheckObject(kObject); }),
                HasSubstr("Este servidor exige entrada."));
    EXPECT_TRUE(PasswordSent(server));
}

// Two programs in one process, one signed in and one not: a connection gives the server the
// credentials of its own context only.
TEST_F(PlainHttpSignIn, AConnectionSignsInWithItsOwnContextsCredentialsOnly) {
    hostfw::NetContext signedIn;
    signedIn.SetServerCredentials(maria);
    hostfw::NetContext anonymous;
    for (hostfw::NetContext* context : {&signedIn, &anonymous}) {
        context->Session().serverPlainPassword = true;
        ScriptedReplyServer server({unauthorized, unauthorized});
        hostfw::TContextOwner owner(*context);
        hostfw::TNetConnection connection(&owner);
        connection.SetServerName(kObject);
        connection.SetHost("127.0.0.1");
        connection.SetPort(server.Port());
        connection.SetThrowException(true);
        EXPECT_THAT(FailureOf([&] { connection.SetConnected(true); }),
                    HasSubstr("Este servidor exige entrada."));
        EXPECT_EQ(PasswordSent(server), context == &signedIn)
            << (context == &signedIn ? "the signed-in context's password was not given"
                                     : "another context's password reached the server");
    }
}

// A full server (503 with Retry-After) is asked once more after the wait; only once, and not
// when it names no wait or one too long to sit through.
TEST(FullServer, IsAskedOnceMoreAfterTheWaitItNames) {
    const std::string full = ClosingReply(503, ErrorBody("Conexões demais."), "Retry-After: 1\r\n");
    {
        ScriptedReplyServer server({full, nettest::JsonReply(kObjectInfo)});
        HttpCallClient client("127.0.0.1", server.Port(), {});
        EXPECT_NO_THROW(client.CheckObject(kObject));
        EXPECT_EQ(server.Requests().size(), 2u);
    }
    {
        ScriptedReplyServer server({full, full, nettest::JsonReply(kObjectInfo)});
        HttpCallClient client("127.0.0.1", server.Port(), {});
        EXPECT_THAT(FailureOf([&] { client.CheckObject(kObject); }), HasSubstr("Conexões demais."));
        EXPECT_EQ(server.Requests().size(), 2u) << "one more try, not more";
    }
    for (const std::string& notToWait :
         {ClosingReply(503, ErrorBody("Tempo esgotado.")),
          ClosingReply(503, ErrorBody("Volte amanhã."), "Retry-After: 3600\r\n")}) {
        ScriptedReplyServer server({notToWait, nettest::JsonReply(kObjectInfo)});
        HttpCallClient client("127.0.0.1", server.Port(), {});
        EXPECT_NE(FailureOf([&] { client.CheckObject(kObject); }), "(nenhuma falha)");
        EXPECT_EQ(server.Requests().size(), 1u);
    }
}

}  // namespace
