#include "host/wire/sign_in_messages.h"

#include <nlohmann/json.hpp>

#include "host/wire/internal/json_access.h"
#include "host/wire/wire_codec.h"

namespace hostfw {
namespace {

using nlohmann::json;

// A PostgreSQL role name has at most 63 bytes.
constexpr std::size_t kLoginLimit = 63;

// A sign-in holds three members; a body that holds more is no sign-in.
constexpr std::size_t kMostSignInValues = 16;

json SignInMessage(std::string_view body) {
    json message;
    try {
        message = wire::ParseBounded(body, kMostSignInValues);
    } catch (const WireFormatError&) {
        message = json();
    }
    if (!message.is_object() || !message.contains("version") ||
        message["version"] != kSignInProtocolVersion)
        throw WireFormatError("a entrada espera um objeto JSON com \"version\": 2");
    return message;
}

std::string TextMember(const json& message, const char* name) {
    if (!message.contains(name) || !message[name].is_string())
        throw WireFormatError(std::string("a entrada espera \"") + name + "\" como texto");
    return message[name].get<std::string>();
}

}  // namespace

std::string EncodeSignInRequest(const Credentials& credentials) {
    return json{{"version", kSignInProtocolVersion},
                {"user", credentials.user},
                {"password", credentials.password}}
        .dump();
}

Credentials DecodeSignInRequest(std::string_view body) {
    const json message = SignInMessage(body);
    Credentials credentials{TextMember(message, "user"), TextMember(message, "password")};
    if (credentials.user.empty() || credentials.user.size() > kLoginLimit ||
        credentials.user.find('\0') != std::string::npos ||
        credentials.password.find('\0') != std::string::npos)
        throw WireFormatError("usuário vazio, longo demais ou com o caractere NUL");
    return credentials;
}

std::string EncodeSignInReply(const std::string& token, const Person& person,
                              std::chrono::minutes idle) {
    return json{{"version", kSignInProtocolVersion},
                {"token", token},
                {"idleMinutes", idle.count()},
                {"person",
                 {{"login", person.login},
                  {"name", person.name},
                  {"branch", person.homeBranch},
                  {"bound", person.bound}}}}
        .dump();
}

std::string DecodeSignInToken(std::string_view body) {
    std::string token = TextMember(SignInMessage(body), "token");
    // The token goes back in a header: nothing but visible ASCII may be in it.
    for (const char c : token) {
        if (c <= 0x20 || c >= 0x7f)
            throw WireFormatError("token de entrada com caracteres inválidos");
    }
    if (token.empty())
        throw WireFormatError("token de entrada vazio");
    return token;
}

}  // namespace hostfw
