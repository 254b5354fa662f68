#include "test_object.h"

#include <algorithm>
#include <thread>

#include "call_failure.h"

namespace appserver {
namespace {

using hostfw::OleVariant;
using hostfw::Variant;

constexpr std::int64_t kMaxSleepMs = 60000;

const Variant& OnlyArgument(const std::vector<Variant>& args, const char* method) {
    if (args.size() != 1) {
        throw CallFailure(400, std::string(method) + " espera 1 argumento; recebeu " +
                                   std::to_string(args.size()) + ".");
    }
    return args.front();
}

OleVariant Sleep(const std::vector<Variant>& args, const CallContext& context) {
    const Variant& arg = OnlyArgument(args, "Sleep");
    if (arg.kind() != Variant::Kind::Integer || arg.AsInteger() < 0 ||
        arg.AsInteger() > kMaxSleepMs) {
        throw CallFailure(400, "Sleep espera um inteiro de 0 a 60000.");
    }
    const auto until = CallContext::Clock::now() + std::chrono::milliseconds(arg.AsInteger());
    while (CallContext::Clock::now() < until) {
        context.CheckDeadline();
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
    return Variant(arg.AsInteger());
}

OleVariant Count(const std::vector<Variant>& args, const CallContext& context) {
    const Variant& arg = OnlyArgument(args, "Count");
    if (arg.kind() != Variant::Kind::Integer || arg.AsInteger() < 1)
        throw CallFailure(400, "Count espera um inteiro positivo.");
    hostfw::TParams params;
    params.CreateParam("P_N").SetAsVariant(arg);
    const auto cursor = context.Engine().Query(
        "WITH RECURSIVE c(x) AS (SELECT CAST(1 AS BIGINT) UNION ALL "
        "SELECT x + 1 FROM c WHERE x < CAST(:P_N AS BIGINT)) SELECT count(*) FROM c",
        params);
    cursor->Next();
    return cursor->Value(0);
}

}  // namespace

RemoteObject MakeTestObject() {
    return {
        {"Echo", [](std::vector<Variant>& args,
                    const CallContext&) { return OleVariant(OnlyArgument(args, "Echo")); }},
        {"Reverse",
         [](std::vector<Variant>& args, const CallContext&) {
             std::reverse(args.begin(), args.end());
             return OleVariant(Variant(static_cast<std::int64_t>(args.size())));
         }},
        {"Fail",
         [](std::vector<Variant>& args, const CallContext&) -> OleVariant {
             throw CallFailure(500, OnlyArgument(args, "Fail").AsString());
         }},
        {"Sleep", [](std::vector<Variant>& args,
                     const CallContext& context) { return Sleep(args, context); }},
        {"Count", [](std::vector<Variant>& args,
                     const CallContext& context) { return Count(args, context); }},
    };
}

}  // namespace appserver
