#include "host/wire/internal/json_access.h"

#include <cmath>
#include <limits>

#include "host/wire/wire_codec.h"
#include "host/wire/wire_protocol.h"

namespace hostfw::wire {
namespace {

[[noreturn]] void raiseMistyped(const std::string& where, const char* expected, const Json& value) {
    throw WireFormatError(where + ": esperado " + expected + ", recebido " + value.type_name() +
                          ".");
}

}  // namespace

const Json& requireMember(const Json& object, const char* member, const std::string& where) {
    const auto found = requireObject(object, where).find(member);
    if (found == object.end()) {
        throw WireFormatError(where + ": falta o membro \"" + member + "\".");
    }
    return *found;
}

const Json& requireObject(const Json& value, const std::string& where) {
    if (!value.is_object())
        raiseMistyped(where, "um objeto", value);
    return value;
}

const Json& requireArray(const Json& value, const std::string& where) {
    if (!value.is_array())
        raiseMistyped(where, "uma lista", value);
    return value;
}

std::string requireString(const Json& value, const std::string& where) {
    if (!value.is_string())
        raiseMistyped(where, "um texto", value);
    return value.get<std::string>();
}

bool requireBoolean(const Json& value, const std::string& where) {
    if (!value.is_boolean())
        raiseMistyped(where, "um valor lógico", value);
    return value.get<bool>();
}

std::int64_t requireInteger(const Json& value, const std::string& where) {
    if (value.is_number_unsigned()) {
        if (value.get<std::uint64_t>() >
            static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            throw WireFormatError(where + ": número inteiro fora do intervalo de 64 bits.");
        }
        return static_cast<std::int64_t>(value.get<std::uint64_t>());
    }
    if (!value.is_number_integer())
        raiseMistyped(where, "um número inteiro", value);
    return value.get<std::int64_t>();
}

double requireFiniteNumber(const Json& value, const std::string& where) {
    if (!value.is_number())
        raiseMistyped(where, "um número", value);
    const double number = value.get<double>();
    if (!std::isfinite(number))
        throw WireFormatError(where + ": número fora do intervalo.");
    return number;
}

Json parseMessage(std::string_view body) {
    Json message;
    try {
        message = Json::parse(body);
    } catch (const Json::parse_error& error) {
        throw WireFormatError("JSON malformado (byte " + std::to_string(error.byte) + ").");
    } catch (const Json::exception&) {
        // The library reports a number too large for a double apart from syntax errors.
        throw WireFormatError("JSON malformado (número fora do intervalo).");
    }
    const std::int64_t version =
        requireInteger(requireMember(message, "version", "mensagem"), "membro \"version\"");
    if (version != kWireProtocolVersion) {
        throw WireFormatError("versão " + std::to_string(version) +
                              " do protocolo não suportada (esta é a versão " +
                              std::to_string(kWireProtocolVersion) + ").");
    }
    return message;
}

std::string dumpMessage(const Json& message) {
    try {
        return message.dump();
    } catch (const Json::type_error&) {
        throw Exception("Texto com codificação inválida (não é UTF-8) não pode ser enviado.");
    }
}

Json newMessage() {
    return Json{{"version", kWireProtocolVersion}};
}

}  // namespace hostfw::wire
