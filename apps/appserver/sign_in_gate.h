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
#include "shared_sign_ins.h"
#include "sign_in_throttle.h"
#include "standby_lag.h"
#include "token_seal.h"

namespace appserver {

// The door of a server on a database where people sign in (protocol version 2): POST /sign-in
// checks a user and password by connecting to the database as that person and gives a token;
// every other request must carry a valid token (Authorization: Bearer) and runs on a connection
// of its person, so the database's row-level security applies; POST /sign-out ends the token.
// The sign-ins live in the shared database, so every server with the same key honours a token
// any of them gave. Sign-ins and calls are written to the audit, which withholds the result of
// a call it cannot record.
class SignInGate {
public:
    // A sign-in ends after `signInIdle` without use; a person's database connection closes
    // after `connectionIdle` without a call (EndIdle). `shared` runs work on the server's own
    // connection, where the table of sign-ins is.
    // With `standby` (a streaming standby's connection, without user or password) and its
    // `lag`, calls read there while it is recent enough.
    SignInGate(const CallDispatcher& dispatcher, CallAudit& audit, std::string database,
               std::chrono::minutes signInIdle, std::chrono::seconds connectionIdle, TokenSeal seal,
               SharedSignIns::Runner shared, std::string standby = {},
               const StandbyLag* lag = nullptr);

    // Never raises.
    DispatchResult Handle(const HttpRequestView& request, const std::string& client);
    // The login of the person a request's Authorization header names by a token this server
    // knows; it asks no database, so the I/O thread may call it.
    std::optional<std::string> PersonOf(std::string_view authorization);
    // Ends the sign-ins and closes the people's connections idle for longer than their idle
    // times; the server calls it from time to time, so they go even when no further call comes.
    void EndIdle() {
        sessions_.ForgetIdle();
        engines_.CloseIdle();
        if (standbyEngines_)
            standbyEngines_->CloseIdle();
    }

private:
    DispatchResult SignIn(std::string_view body, const std::string& client);
    DispatchResult SignOut(const HttpRequestView& request, const std::string& client);
    DispatchResult Call(const HttpRequestView& request, const std::string& client);
    // The sign-in of a token still valid in the shared table, known here or adopted from the
    // server that gave it; nullptr for none. Raises hostfw::Exception when the database cannot
    // tell.
    std::shared_ptr<const SignedInPerson> ValidSignIn(const std::string& token);

    const CallDispatcher& dispatcher_;
    CallAudit& audit_;
    std::string database_;
    PersonSessions sessions_;
    SharedSignIns shared_;
    PersonEngines engines_;
    std::optional<PersonEngines> standbyEngines_;
    const StandbyLag* lag_;
    SignInThrottle throttle_;
};

}  // namespace appserver
