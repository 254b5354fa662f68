#pragma once

#include <cstddef>
#include <functional>
#include <stop_token>
#include <string>
#include <string_view>

#include "call_dispatcher.h"

namespace appserver {

// One HTTP request as the router needs it, whatever library read it.
struct HttpRequestView {
    std::string_view method;  // "GET", "POST", ...
    std::string_view target;  // as sent: "/exp03600.rdmRelConsLanc/GetNota"
    std::string_view contentType;
    std::string_view accept;
    std::string_view body;
    std::string_view authorization;
    // Asked to stop once the client is gone: a call still running is given up.
    std::stop_token clientGone;
};

// Answers one request from the client at `client` (its address). Never raises.
using RequestHandler =
    std::function<DispatchResult(const HttpRequestView& request, const std::string& client)>;

// GET /<object> describes the object, POST /<object>/<method> calls it (as the caller, when
// given) once the encoding is one this server speaks, and anything else is a 404. Never raises.
DispatchResult RouteRequest(const CallDispatcher& dispatcher, const HttpRequestView& request,
                            const Caller* caller = nullptr);

// The error reply to a request refused before it could be routed: 400 (malformed) or 413 (body
// over the limit).
DispatchResult RefusedRequest(int status, std::size_t maxBody);
// How long a client turned away for holding too many connections is told to wait: a call
// takes milliseconds, so one of its connections is free again by then.
inline constexpr int kRetryAfterFullSeconds = 1;
// The 503 to a client that holds more connections than the limit allows, with Retry-After.
DispatchResult TooManyConnections(int limit);

// The path of a request target, the query left out and percent escapes decoded.
std::string RequestPath(std::string_view target);

}  // namespace appserver
