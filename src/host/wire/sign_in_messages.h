#pragma once

#include <chrono>
#include <string>
#include <string_view>

#include "host/data/engine.h"
#include "host/session/session.h"
#include "hostfw_export.h"

namespace hostfw {

// Protocol version 2 adds a sign-in to the calls of version 1 (docs/protocol.md): the client
// posts a user and password here and sends the token it gets back on every request.
inline constexpr int kSignInProtocolVersion = 2;
inline constexpr std::string_view kSignInPath = "/sign-in";
// POST here with the token ends the sign-in on every server.
inline constexpr std::string_view kSignOutPath = "/sign-out";

// {"version": 2, "user": ..., "password": ...}
HOSTFW_EXPORT std::string EncodeSignInRequest(const Credentials& credentials);
// Raises WireFormatError for another version, a missing or mistyped member, or a user that
// is empty, longer than a PostgreSQL role name (63 bytes) or holds NUL.
HOSTFW_EXPORT Credentials DecodeSignInRequest(std::string_view body);

// {"version": 2, "token": ..., "idleMinutes": ..., "person": {login, name, branch, bound}}
HOSTFW_EXPORT std::string EncodeSignInReply(const std::string& token, const Person& person,
                                            std::chrono::minutes idle);
// The token of a sign-in reply; raises WireFormatError for anything else.
HOSTFW_EXPORT std::string DecodeSignInToken(std::string_view body);

}  // namespace hostfw
