#pragma once

#include <chrono>
#include <string>

#include "call_dispatcher.h"
#include "host/data/audit_trail.h"
#include "person_engines.h"
#include "person_sessions.h"
#include "request_router.h"
#include "sign_in_throttle.h"
#include "thread_engines.h"

namespace appserver {

// The door of a server on a database where people sign in (protocol version 2): POST /sign-in
// checks a user and password by connecting to the database as that person and gives a token;
// every other request must carry a valid token (Authorization: Bearer) and runs on a connection
// of its person, so the database's row-level security applies. Sign-ins and calls are written
// to the audit through the server's own connection; a call that cannot be audited is not
// answered with its result.
class SignInGate {
public:
    SignInGate(const CallDispatcher& dispatcher, ThreadEngines& ownEngines, std::string database,
               std::chrono::minutes idle);

    // Never raises.
    DispatchResult Handle(const HttpRequestView& request, const std::string& client);

private:
    DispatchResult SignIn(std::string_view body, const std::string& client);
    DispatchResult Call(const HttpRequestView& request, const std::string& client);
    // Writes the event; the result becomes a 500 when the audit cannot be written.
    DispatchResult Audited(DispatchResult result, hostfw::AuditEvent event);

    const CallDispatcher& dispatcher_;
    ThreadEngines& ownEngines_;
    std::string database_;
    PersonSessions sessions_;
    PersonEngines engines_;
    SignInThrottle throttle_;
};

}  // namespace appserver
