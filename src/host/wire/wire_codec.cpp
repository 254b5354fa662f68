#include "host/wire/wire_codec.h"

#include "host/wire/internal/json_access.h"
#include "host/wire/internal/packet_json.h"
#include "host/wire/internal/variant_json.h"

namespace hostfw {

using wire::Json;

WireFormatError::~WireFormatError() = default;

namespace {

// More would be a malformed or hostile request: no method of the product takes that many.
constexpr size_t kMaxArguments = 64;

OleVariant resultFromJson(Json& json) {
    const std::string where = "resultado";
    const Json& type = wire::requireMember(json, "type", where);
    if (type.is_string() && type.get<std::string>() == wire::kDataPacketType) {
        return wire::packetFromJson(json, where);
    }
    return wire::variantFromJson(json, where);
}

std::string argumentPlace(size_t index) {
    return "argumento " + std::to_string(index + 1);
}

}  // namespace

std::string encodeCallRequest(const CallRequest& request) {
    Json args = Json::array();
    for (const CallArgument& arg : request.args) {
        Json json = wire::variantToJson(arg.value);
        json["byRef"] = arg.byRef;
        args.push_back(std::move(json));
    }
    Json message = wire::newMessage();
    message["args"] = std::move(args);
    return wire::dumpMessage(message);
}

CallRequest decodeCallRequest(std::string_view body) {
    const Json message = wire::parseMessage(body);
    const Json& args =
        wire::requireArray(wire::requireMember(message, "args", "pedido"), "membro \"args\"");
    if (args.size() > kMaxArguments) {
        throw WireFormatError("o pedido traz " + std::to_string(args.size()) +
                              " argumentos; o limite é " + std::to_string(kMaxArguments) + ".");
    }
    CallRequest request;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string where = argumentPlace(i);
        CallArgument arg{wire::variantFromJson(args[i], where)};
        if (args[i].contains("byRef")) {
            arg.byRef = wire::requireBoolean(args[i]["byRef"], where + ", \"byRef\"");
        }
        request.args.push_back(std::move(arg));
    }
    return request;
}

std::string encodeCallReply(const CallReply& reply) {
    if (reply.result.isError())
        return encodeErrorReply(reply.result.errorMessage());
    Json byRef = Json::array();
    for (const Variant& value : reply.byRef)
        byRef.push_back(wire::variantToJson(value));
    Json message = wire::newMessage();
    message["byRef"] = std::move(byRef);
    if (!reply.result.isDataPacket()) {
        message["result"] = wire::variantToJson(reply.result.asVariant());
        return wire::dumpMessage(message);
    }
    // The rows are most of a large reply: written straight into the text rather than built as
    // a document first.
    std::string text = wire::dumpMessage(message);
    text.pop_back();  // the closing brace
    text += R"(,"result":)";
    wire::appendPacketJson(text, reply.result.asDataPacket());
    text += '}';
    return text;
}

CallReply decodeCallReply(std::string_view body) {
    Json message = wire::parseMessage(body);
    if (message.contains("error")) {
        const Json& error = wire::requireObject(message["error"], "membro \"error\"");
        return {OleVariant::Error(wire::requireString(
                    wire::requireMember(error, "message", "membro \"error\""), "mensagem de erro")),
                {}};
    }
    wire::requireMember(message, "result", "resposta");
    CallReply reply{resultFromJson(message["result"]), {}};
    if (message.contains("byRef")) {
        const Json& byRef = wire::requireArray(message["byRef"], "membro \"byRef\"");
        for (size_t i = 0; i < byRef.size(); ++i) {
            reply.byRef.push_back(
                wire::variantFromJson(byRef[i], "valor por referência " + std::to_string(i + 1)));
        }
    }
    return reply;
}

std::string encodeErrorReply(const std::string& message) {
    Json json = wire::newMessage();
    json["error"] = Json{{"message", message}};
    // A failure's text may quote bad bytes it came across; the reply must still go out.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string encodeObjectInfo(const ObjectInfo& info) {
    Json message = wire::newMessage();
    message["object"] = info.name;
    message["methods"] = info.methods;
    return wire::dumpMessage(message);
}

ObjectInfo decodeObjectInfo(std::string_view body) {
    const Json message = wire::parseMessage(body);
    ObjectInfo info;
    info.name = wire::requireString(wire::requireMember(message, "object", "descrição do objeto"),
                                    "membro \"object\"");
    const Json& methods = wire::requireArray(
        wire::requireMember(message, "methods", "descrição do objeto"), "membro \"methods\"");
    for (const Json& method : methods) {
        info.methods.push_back(wire::requireString(method, "membro \"methods\""));
    }
    return info;
}

}  // namespace hostfw
