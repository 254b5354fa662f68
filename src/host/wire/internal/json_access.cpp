#include "host/wire/internal/json_access.h"

#include <cmath>
#include <limits>

#include "host/wire/wire_codec.h"
#include "host/wire/wire_protocol.h"

namespace hostfw::wire {
namespace {

[[noreturn]] void RaiseMistyped(const std::string& where, const char* expected, const Json& value) {
    throw WireFormatError(where + ": esperado " + expected + ", recebido " + value.type_name() +
                          ".");
}

}  // namespace

const Json& RequireMember(const Json& object, const char* member, const std::string& where) {
    const auto found = RequireObject(object, where).find(member);
    if (found == object.end()) {
        throw WireFormatError(where + ": falta o membro \"" + member + "\".");
    }
    return *found;
}

const Json& RequireObject(const Json& value, const std::string& where) {
    if (!value.is_object())
        RaiseMistyped(where, "um objeto", value);
    return value;
}

const Json& RequireArray(const Json& value, const std::string& where) {
    if (!value.is_array())
        RaiseMistyped(where, "uma lista", value);
    return value;
}

std::string RequireString(const Json& value, const std::string& where) {
    if (!value.is_string())
        RaiseMistyped(where, "um texto", value);
    return value.get<std::string>();
}

bool RequireBoolean(const Json& value, const std::string& where) {
    if (!value.is_boolean())
        RaiseMistyped(where, "um valor lógico", value);
    return value.get<bool>();
}

std::int64_t RequireInteger(const Json& value, const std::string& where) {
    if (value.is_number_unsigned()) {
        if (value.get<std::uint64_t>() >
            static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max())) {
            throw WireFormatError(where + ": número inteiro fora do intervalo de 64 bits.");
        }
        return static_cast<std::int64_t>(value.get<std::uint64_t>());
    }
    if (!value.is_number_integer())
        RaiseMistyped(where, "um número inteiro", value);
    return value.get<std::int64_t>();
}

double RequireFiniteNumber(const Json& value, const std::string& where) {
    if (!value.is_number())
        RaiseMistyped(where, "um número", value);
    const double number = value.get<double>();
    if (!std::isfinite(number))
        throw WireFormatError(where + ": número fora do intervalo.");
    return number;
}

Json ParseBounded(std::string_view body, std::size_t mostValues) {
    std::size_t values = 0;
    // Called by the parser as it goes; refusing from here stops it before it builds more.
    const Json::parser_callback_t bound = [&](int depth, Json::parse_event_t event, Json&) {
        if (depth > kDeepestNesting) {
            throw WireFormatError("JSON aninhado demais (mais de " +
                                  std::to_string(kDeepestNesting) + " níveis).");
        }
        const bool counted =
            event == Json::parse_event_t::value || event == Json::parse_event_t::key;
        if (counted && ++values > mostValues) {
            throw WireFormatError("JSON com valores demais (mais de " + std::to_string(mostValues) +
                                  ").");
        }
        return true;
    };
    try {
        return Json::parse(body, bound);
    } catch (const Json::parse_error& error) {
        throw WireFormatError("JSON malformado (byte " + std::to_string(error.byte) + ").");
    } catch (const Json::exception&) {
        // The library reports a number too large for a double apart from syntax errors.
        throw WireFormatError("JSON malformado (número fora do intervalo).");
    }
}

Json ParseMessage(std::string_view body, std::size_t mostValues) {
    Json message = ParseBounded(body, mostValues);
    CheckMessageVersion(message);
    return message;
}

void CheckMessageVersion(const Json& message) {
    const std::int64_t version =
        RequireInteger(RequireMember(message, "version", "mensagem"), "membro \"version\"");
    if (version != kWireProtocolVersion) {
        throw WireFormatError("versão " + std::to_string(version) +
                              " do protocolo não suportada (esta é a versão " +
                              std::to_string(kWireProtocolVersion) + ").");
    }
}

std::string DumpMessage(const Json& message) {
    try {
        return message.dump();
    } catch (const Json::type_error&) {
        throw Exception("Texto com codificação inválida (não é UTF-8) não pode ser enviado.");
    }
}

Json NewMessage() {
    return Json{{"version", kWireProtocolVersion}};
}

}  // namespace hostfw::wire
