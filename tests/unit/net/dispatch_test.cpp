#include "host/net/dispatch.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "host/core/exception.h"

namespace {

using hostfw::CallReply;
using hostfw::CallRequest;
using hostfw::DispatchArg;
using hostfw::OleVariant;
using hostfw::TDateTime;
using hostfw::TDispatch;
using hostfw::Variant;

// A dispatch object whose "server" keeps the request it got and answers with a given reply.
struct ScriptedServer {
    CallReply reply;
    std::string method;
    CallRequest request;

    TDispatch Dispatch() {
        return TDispatch([this](const std::string& name, const CallRequest& sent) {
            method = name;
            request = sent;
            return reply;
        });
    }
};

TEST(DispatchArg, ByRefStringTakesTheTextOfWhatTheServerLeft) {
    std::string text = "A";
    const DispatchArg arg = DispatchArg::ByRef(text);
    EXPECT_TRUE(arg.IsByRef());
    EXPECT_EQ(arg.Value(), Variant("A"));
    arg.Receive(Variant("C"));
    EXPECT_EQ(text, "C");
    arg.Receive(Variant::Null());
    EXPECT_EQ(text, "");
    arg.Receive(Variant(12));
    EXPECT_EQ(text, "12");
}

TEST(DispatchArg, ByRefVariantTakesTheValueWithItsType) {
    Variant variable(1);
    const DispatchArg arg = DispatchArg::ByRef(variable);
    arg.Receive(Variant(TDateTime{45658.0}));
    EXPECT_EQ(variable, Variant(TDateTime{45658.0}));
}

TEST(DispatchArg, ByValueIsNeverWritten) {
    const DispatchArg arg = DispatchArg::ByValue(Variant("0001"));
    EXPECT_FALSE(arg.IsByRef());
    arg.Receive(Variant("9999"));
    EXPECT_EQ(arg.Value(), Variant("0001"));
}

TEST(DispatchInvoke, SendsValuesInOrderWithTheirPassing) {
    ScriptedServer server{{OleVariant(Variant(0)), {Variant("x"), Variant("y")}}, {}, {}};
    TDispatch dispatch = server.Dispatch();
    std::string first = "lista";
    std::string second = "T";
    std::vector<DispatchArg> args{DispatchArg::ByValue(Variant("0001")),
                                  DispatchArg::ByValue(Variant(TDateTime{45658.0})),
                                  DispatchArg::ByRef(first), DispatchArg::ByRef(second)};
    dispatch.Invoke("GetNota", args);

    EXPECT_EQ(server.method, "GetNota");
    const CallRequest expected{{{Variant("0001"), false},
                                {Variant(TDateTime{45658.0}), false},
                                {Variant("lista"), true},
                                {Variant("T"), true}}};
    EXPECT_EQ(server.request, expected);
}

TEST(DispatchInvoke, EachByRefVariableTakesItsOwnValueBackInPositionOrder) {
    ScriptedServer server{
        {OleVariant(Variant(true)), {Variant("um"), Variant("dois"), Variant("C")}}, {}, {}};
    TDispatch dispatch = server.Dispatch();
    std::string a;
    std::string b;
    std::string rel = "A";
    std::vector<DispatchArg> args{DispatchArg::ByRef(a), DispatchArg::ByValue(Variant(1)),
                                  DispatchArg::ByRef(b), DispatchArg::ByRef(rel)};
    const OleVariant result = dispatch.Invoke("M", args);

    EXPECT_EQ(result.AsVariant(), Variant(true));
    EXPECT_EQ(a, "um");
    EXPECT_EQ(b, "dois");
    EXPECT_EQ(rel, "C");
}

TEST(DispatchInvoke, ErrorReplyLeavesEveryVariableAsItWas) {
    ScriptedServer server{{OleVariant::Error("recusado"), {}}, {}, {}};
    TDispatch dispatch = server.Dispatch();
    std::string rel = "A";
    std::vector<DispatchArg> args{DispatchArg::ByRef(rel)};
    const OleVariant result = dispatch.Invoke("M", args);
    EXPECT_TRUE(result.IsError());
    EXPECT_EQ(result.ErrorMessage(), "recusado");
    EXPECT_EQ(rel, "A");
}

TEST(DispatchInvoke, ReplyWithTheWrongNumberOfByRefValuesChangesNothing) {
    ScriptedServer server{{OleVariant(Variant(0)), {Variant("C")}}, {}, {}};
    TDispatch dispatch = server.Dispatch();
    std::string first = "1";
    std::string second = "2";
    std::vector<DispatchArg> args{DispatchArg::ByRef(first), DispatchArg::ByRef(second)};
    EXPECT_THROW(dispatch.Invoke("M", args), hostfw::Exception);
    EXPECT_EQ(first, "1");
    EXPECT_EQ(second, "2");
}

TEST(DispatchInvoke, TransportFailurePassesOnAndChangesNothing) {
    TDispatch dispatch([](const std::string&, const CallRequest&) -> CallReply {
        throw hostfw::Exception("Falha na chamada de M ao servidor de aplicação em h:1");
    });
    std::string rel = "A";
    std::vector<DispatchArg> args{DispatchArg::ByRef(rel)};
    EXPECT_THROW(dispatch.Invoke("M", args), hostfw::Exception);
    EXPECT_EQ(rel, "A");
}

}  // namespace
