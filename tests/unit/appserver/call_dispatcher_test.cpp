// The dispatcher turns every outcome of a remote method into a reply with its HTTP status.

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <chrono>
#include <stdexcept>
#include <string>

#include "call_dispatcher.h"
#include "call_failure.h"
#include "host/wire/wire_codec.h"

namespace {

using appserver::CallContext;
using appserver::DispatchResult;
using hostfw::OleVariant;
using hostfw::Variant;
using ::testing::HasSubstr;

const std::string kOneArgument =
    R"({"version":1,"args":[{"type":"string","value":"a","byRef":true}]})";

class CallDispatcherTest : public ::testing::Test {
protected:
    CallDispatcherTest() {
        appserver::RemoteObject object;
        object["Append"] = [](std::vector<Variant>& args, const CallContext&) {
            args[0] = Variant(args[0].AsString() + "!");
            return OleVariant(Variant(1));
        };
        object["Refuse"] = [](std::vector<Variant>&, const CallContext&) -> OleVariant {
            throw appserver::CallFailure(400, "argumento ruim");
        };
        object["Break"] = [](std::vector<Variant>&, const CallContext&) -> OleVariant {
            throw hostfw::Exception("tabela NOTAFISCAL inexistente");
        };
        object["Crash"] = [](std::vector<Variant>&, const CallContext&) -> OleVariant {
            throw std::out_of_range("vector");
        };
        object["Overrun"] = [](std::vector<Variant>&, const CallContext&) -> OleVariant {
            throw hostfw::QueryTimeout();
        };
        object["Shrink"] = [](std::vector<Variant>& args, const CallContext&) {
            args.clear();
            return OleVariant(Variant(0));
        };
        object["Packet"] = [](std::vector<Variant>&, const CallContext&) {
            hostfw::DataPacket packet;
            packet.fields = {{"A", "string", 1, false}};
            packet.rows = {{Variant("x")}, {Variant("y")}};
            return OleVariant(packet);
        };
        registry_["exp.Obj"] = object;
    }

    DispatchResult Call(const std::string& object, const std::string& method,
                        const std::string& body = kOneArgument) {
        return dispatcher_.Call(object, method, body);
    }

    static std::string ErrorText(const DispatchResult& result) {
        return hostfw::DecodeCallReply(result.body).result.ErrorMessage();
    }

    appserver::RemoteObjectRegistry registry_;
    // No method here touches the database, so it is never opened.
    appserver::ThreadEngines engines_{"/nonexistent"};
    appserver::CallDispatcher dispatcher_{registry_, engines_, std::chrono::seconds(5)};
};

TEST_F(CallDispatcherTest, ByRefArgumentsComeBackAsTheMethodLeftThem) {
    const DispatchResult result = Call("exp.Obj", "Append");
    ASSERT_EQ(result.status, 200);
    const hostfw::CallReply reply = hostfw::DecodeCallReply(result.body);
    EXPECT_EQ(reply.result.AsVariant(), Variant(1));
    EXPECT_THAT(reply.byRef, ::testing::ElementsAre(Variant("a!")));
}

TEST_F(CallDispatcherTest, NamesAreFoundWhateverTheirLetterCase) {
    EXPECT_EQ(Call("EXP.obj", "append").status, 200);
}

TEST_F(CallDispatcherTest, UnknownObjectAndMethodAre404) {
    const DispatchResult object = Call("exp.Outro", "Append");
    EXPECT_EQ(object.status, 404);
    EXPECT_THAT(ErrorText(object), HasSubstr("exp.Outro"));
    const DispatchResult method = Call("exp.Obj", "Nada");
    EXPECT_EQ(method.status, 404);
    EXPECT_THAT(ErrorText(method), HasSubstr("Nada"));
    EXPECT_EQ(dispatcher_.DescribeObject("exp.Outro").status, 404);
}

TEST_F(CallDispatcherTest, FailuresBecomeErrorRepliesWithTheirStatus) {
    const DispatchResult malformed = Call("exp.Obj", "Append", "{");
    EXPECT_EQ(malformed.status, 400);
    EXPECT_THAT(ErrorText(malformed), HasSubstr("Pedido malformado"));

    const DispatchResult refused = Call("exp.Obj", "Refuse");
    EXPECT_EQ(refused.status, 400);
    EXPECT_EQ(ErrorText(refused), "argumento ruim");

    const DispatchResult broken = Call("exp.Obj", "Break");
    EXPECT_EQ(broken.status, 500);
    EXPECT_EQ(ErrorText(broken), "tabela NOTAFISCAL inexistente");
    EXPECT_THAT(broken.outcome, HasSubstr("tabela NOTAFISCAL inexistente"));

    const DispatchResult crashed = Call("exp.Obj", "Crash");
    EXPECT_EQ(crashed.status, 500);
    EXPECT_THAT(ErrorText(crashed), HasSubstr("Falha interna"));
}

TEST_F(CallDispatcherTest, AStatementTheDeadlineInterruptedIsThe503OfACallOutOfTime) {
    const DispatchResult result = Call("exp.Obj", "Overrun");
    EXPECT_EQ(result.status, 503);
    EXPECT_THAT(ErrorText(result), HasSubstr("tempo limite de 5 s"));
}

TEST_F(CallDispatcherTest, AMethodThatDropsArgumentsIsAFailureNotACrash) {
    const DispatchResult result = Call("exp.Obj", "Shrink");
    EXPECT_EQ(result.status, 500);
    EXPECT_THAT(ErrorText(result), HasSubstr("número de argumentos"));
}

TEST_F(CallDispatcherTest, PacketResultsReportTheirRowCountForTheLog) {
    const DispatchResult result = Call("exp.Obj", "Packet");
    EXPECT_EQ(result.status, 200);
    EXPECT_EQ(result.rows, 2u);
    EXPECT_EQ(Call("exp.Obj", "Append").rows, std::nullopt);
}

}  // namespace
