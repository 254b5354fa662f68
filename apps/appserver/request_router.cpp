#include "request_router.h"

#include <optional>
#include <vector>

#include "hex_text.h"
#include "host/wire/wire_protocol.h"
#include "media_type.h"

namespace appserver {
namespace {

std::vector<std::string> Segments(const std::string& path) {
    std::vector<std::string> parts;
    std::size_t start = 1;  // past the leading "/"
    while (start <= path.size()) {
        const std::size_t slash = std::min(path.find('/', start), path.size());
        parts.push_back(path.substr(start, slash - start));
        start = slash + 1;
    }
    return parts;
}

// The request as this protocol accepts it; otherwise the refusal to send.
std::optional<DispatchResult> RefusedEncoding(const HttpRequestView& request) {
    if (!IsJsonContentType(request.contentType))
        return ErrorResult(415, "O corpo do pedido deve ser application/json.");
    if (!AcceptsJson(request.accept))
        return ErrorResult(406, "Este servidor de aplicação só responde em application/json.");
    return std::nullopt;
}

bool Named(const std::vector<std::string>& parts, std::size_t count) {
    if (parts.size() != count)
        return false;
    for (const std::string& part : parts) {
        if (part.empty())
            return false;
    }
    return true;
}

}  // namespace

std::string RequestPath(std::string_view target) {
    target = target.substr(0, target.find('?'));
    std::string path;
    for (std::size_t i = 0; i < target.size(); ++i) {
        const bool escape = target[i] == '%' && i + 2 < target.size() &&
                            HexDigitValue(target[i + 1]) >= 0 && HexDigitValue(target[i + 2]) >= 0;
        if (escape) {
            path +=
                static_cast<char>(HexDigitValue(target[i + 1]) * 16 + HexDigitValue(target[i + 2]));
            i += 2;
        } else {
            path += target[i];
        }
    }
    return path;
}

DispatchResult RouteRequest(const CallDispatcher& dispatcher, const HttpRequestView& request,
                            const Caller* caller) {
    const std::string path = RequestPath(request.target);
    const std::vector<std::string> parts =
        path.starts_with('/') ? Segments(path) : std::vector<std::string>{};
    // Names are looked up as C strings further on: "GetNota%00junk" must not pass for GetNota.
    const bool validNames = (parts.empty() || hostfw::IsValidObjectName(parts[0])) &&
                            (parts.size() < 2 || hostfw::IsValidMethodName(parts[1]));
    if ((Named(parts, 1) || Named(parts, 2)) && !validNames)
        return ErrorResult(400, "Nome de objeto ou de método inválido no caminho do pedido.");
    if (request.method == "GET" && Named(parts, 1))
        return dispatcher.DescribeObject(parts[0]);
    if (request.method == "POST" && Named(parts, 2)) {
        if (auto refused = RefusedEncoding(request))
            return *refused;
        return dispatcher.Call(parts[0], parts[1], request.body, caller, request.clientGone);
    }
    return ErrorResult(404, "Recurso inexistente neste servidor de aplicação.");
}

DispatchResult RefusedRequest(int status, std::size_t maxBody) {
    switch (status) {
        case 400:
            return ErrorResult(400, "Pedido HTTP malformado.");
        case 413:
            return ErrorResult(
                413, "O pedido excede o tamanho máximo de " + std::to_string(maxBody) + " bytes.");
        default:
            return ErrorResult(status, "Pedido recusado pelo servidor de aplicação (estado " +
                                           std::to_string(status) + ").");
    }
}

DispatchResult TooManyConnections(int limit) {
    DispatchResult result = ErrorResult(503, "Conexões demais a partir deste endereço (limite de " +
                                                 std::to_string(limit) +
                                                 "); feche alguma ou tente de novo em instantes.");
    result.retryAfterSeconds = kRetryAfterFullSeconds;
    return result;
}

}  // namespace appserver
