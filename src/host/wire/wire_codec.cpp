#include "host/wire/wire_codec.h"

#include <optional>

#include "host/wire/internal/json_access.h"
#include "host/wire/internal/packet_json.h"
#include "host/wire/internal/reply_reader.h"
#include "host/wire/internal/variant_json.h"

namespace hostfw {

using wire::Json;

WireFormatError::~WireFormatError() = default;

namespace {

// More would be a malformed or hostile request: no method of the product takes that many.
constexpr size_t kMaxArguments = 64;
// A request holds its arguments' few members each: far fewer values than this.
constexpr size_t kMostRequestValues = 4096;

bool IsDataPacket(const Json& result) {
    const Json& type = wire::RequireMember(result, "type", "resultado");
    return type.is_string() && type.get<std::string>() == wire::kDataPacketType;
}

// `rows`: the packet's rows when they were read beside the message.
OleVariant ResultFromJson(Json& json, wire::RawRows* rows) {
    const std::string where = "resultado";
    if (IsDataPacket(json))
        return wire::PacketFromJson(json, where, rows);
    return wire::VariantFromJson(json, where);
}

CallReply ReplyFromMessage(Json& message, wire::RawRows* rows) {
    if (message.contains("error")) {
        const Json& error = wire::RequireObject(message["error"], "membro \"error\"");
        return {OleVariant::Error(wire::RequireString(
                    wire::RequireMember(error, "message", "membro \"error\""), "mensagem de erro")),
                {}};
    }
    wire::RequireMember(message, "result", "resposta");
    CallReply reply{ResultFromJson(message["result"], rows), {}};
    if (message.contains("byRef")) {
        const Json& byRef = wire::RequireArray(message["byRef"], "membro \"byRef\"");
        for (size_t i = 0; i < byRef.size(); ++i) {
            reply.byRef.push_back(
                wire::VariantFromJson(byRef[i], "valor por referência " + std::to_string(i + 1)));
        }
    }
    return reply;
}

std::string ArgumentPlace(size_t index) {
    return "argumento " + std::to_string(index + 1);
}

}  // namespace

std::string EncodeCallRequest(const CallRequest& request) {
    Json args = Json::array();
    for (const CallArgument& arg : request.args) {
        Json json = wire::VariantToJson(arg.value);
        json["byRef"] = arg.byRef;
        args.push_back(std::move(json));
    }
    Json message = wire::NewMessage();
    message["args"] = std::move(args);
    return wire::DumpMessage(message);
}

CallRequest DecodeCallRequest(std::string_view body) {
    const Json message = wire::ParseMessage(body, kMostRequestValues);
    const Json& args =
        wire::RequireArray(wire::RequireMember(message, "args", "pedido"), "membro \"args\"");
    if (args.size() > kMaxArguments) {
        throw WireFormatError("o pedido traz " + std::to_string(args.size()) +
                              " argumentos; o limite é " + std::to_string(kMaxArguments) + ".");
    }
    CallRequest request;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string where = ArgumentPlace(i);
        CallArgument arg{wire::VariantFromJson(args[i], where)};
        if (args[i].contains("byRef")) {
            arg.byRef = wire::RequireBoolean(args[i]["byRef"], where + ", \"byRef\"");
        }
        request.args.push_back(std::move(arg));
    }
    return request;
}

std::string EncodeCallReply(const CallReply& reply) {
    if (reply.result.IsError())
        return EncodeErrorReply(reply.result.ErrorMessage());
    Json byRef = Json::array();
    for (const Variant& value : reply.byRef)
        byRef.push_back(wire::VariantToJson(value));
    Json message = wire::NewMessage();
    message["byRef"] = std::move(byRef);
    if (!reply.result.IsDataPacket()) {
        message["result"] = wire::VariantToJson(reply.result.AsVariant());
        return wire::DumpMessage(message);
    }
    // The rows are most of a large reply: written straight into the text rather than built as
    // a document first.
    std::string text = wire::DumpMessage(message);
    text.pop_back();  // the closing brace
    text += R"(,"result":)";
    wire::AppendPacketJson(text, reply.result.AsDataPacket());
    text += '}';
    return text;
}

CallReply DecodeCallReply(std::string_view body) {
    // A packet's rows are most of a large reply: read in one pass beside the message rather
    // than as a document node per cell. Anything unusual is read again the ordinary way, which
    // names the fault.
    if (std::optional<wire::ReadReply> read = wire::ReadReplyInOnePass(body)) {
        const bool rowsOfAPacket =
            read->rows && read->message.is_object() && read->message.contains("result") &&
            read->message["result"].is_object() && read->message["result"].contains("type") &&
            IsDataPacket(read->message["result"]);
        if (!read->rows || rowsOfAPacket) {
            wire::CheckMessageVersion(read->message);
            return ReplyFromMessage(read->message, read->rows ? &*read->rows : nullptr);
        }
    }
    Json message = wire::ParseMessage(body);
    return ReplyFromMessage(message, nullptr);
}

std::string EncodeErrorReply(const std::string& message) {
    Json json = wire::NewMessage();
    json["error"] = Json{{"message", message}};
    // A failure's text may quote bad bytes it came across; the reply must still go out.
    return json.dump(-1, ' ', false, Json::error_handler_t::replace);
}

std::string EncodeObjectInfo(const ObjectInfo& info) {
    Json message = wire::NewMessage();
    message["object"] = info.name;
    message["methods"] = info.methods;
    return wire::DumpMessage(message);
}

ObjectInfo DecodeObjectInfo(std::string_view body) {
    const Json message = wire::ParseMessage(body);
    ObjectInfo info;
    info.name = wire::RequireString(wire::RequireMember(message, "object", "descrição do objeto"),
                                    "membro \"object\"");
    const Json& methods = wire::RequireArray(
        wire::RequireMember(message, "methods", "descrição do objeto"), "membro \"methods\"");
    for (const Json& method : methods) {
        info.methods.push_back(wire::RequireString(method, "membro \"methods\""));
    }
    return info;
}

}  // namespace hostfw
