#pragma once

#include <chrono>
#include <optional>
#include <string>
#include <string_view>

#include "call_audit.h"
#include "call_dispatcher.h"
#include "person_engines.h"
#include "person_sessions.h"
#include "request_router.h"
#include "sign_in_throttle.h"

namespace appserver {

// The door of a server on a database where people sign in (protocol version 2): POST /sign-in
// checks a user and password by connecting to the database as that person and gives a token;
// every other request must carry a valid token (Authorization: Bearer) and runs on a connection
// of its person, so the database's row-level security applies. Sign-ins and calls are written
// to the audit, which withholds the result of a call it cannot record.
class SignInGate {
public:
    // A sign-in ends after `signInIdle` without use; a person's database connection closes
    // after `connectionIdle` without a call (EndIdle).
    SignInGate(const CallDispatcher& dispatcher, CallAudit& audit, std::string database,
               std::chrono::minutes signInIdle, std::chrono::seconds connectionIdle);

    // Never raises.
    DispatchResult Handle(const HttpRequestView& request, const std::string& client);
    // The login of the person a request's Authorization header names by a valid token.
    std::optional<std::string> PersonOf(std::string_view authorization);
    // Ends the sign-ins and closes the people's connections idle for longer than their idle
    // times; the server calls it from time to time, so they go even when no further call comes.
    void EndIdle() {
        sessions_.ForgetIdle();
        engines_.CloseIdle();
    }

private:
    DispatchResult SignIn(std::string_view body, const std::string& client);
    DispatchResult Call(const HttpRequestView& request, const std::string& client);

    const CallDispatcher& dispatcher_;
    CallAudit& audit_;
    std::string database_;
    PersonSessions sessions_;
    PersonEngines engines_;
    SignInThrottle throttle_;
};

}  // namespace appserver
