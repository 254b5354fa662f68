#pragma once

#include <functional>
#include <string>

#include "call_dispatcher.h"
#include "host/data/audit_trail.h"
#include "request_router.h"
#include "thread_engines.h"

namespace appserver {

// The audit of the server's requests, written through the server's own connection to the
// database it serves: every call (person, client address, method, arguments, rows, duration,
// outcome), and every refusal for want of a sign-in.
class CallAudit {
public:
    // What a row that cannot be written costs the request.
    enum class OnFailure {
        // Where people sign in the audit is part of the protection: the result is not given.
        Withhold,
        // On the embedded default the person owns the database file, so the audit is a record
        // and not a gate: the result goes out, and the log line says what was not recorded.
        Log,
    };

    CallAudit(ThreadEngines& engines, OnFailure onFailure)
        : engines_(engines), onFailure_(onFailure) {}

    // Answers the request with `route`, in the name of `person`, and audits a call (POST) or a
    // refusal for want of a sign-in (401); an object description reveals nothing and is not
    // audited. Never raises.
    DispatchResult Run(const HttpRequestView& request, const std::string& client,
                       const std::string& person, const std::function<DispatchResult()>& route);
    // Writes the event and gives the result as OnFailure says. Never raises.
    DispatchResult Record(DispatchResult result, const hostfw::AuditEvent& event);

private:
    ThreadEngines& engines_;
    OnFailure onFailure_;
};

}  // namespace appserver
