#pragma once

#include <functional>
#include <string>

#include "call_dispatcher.h"
#include "host/data/audit_trail.h"
#include "request_router.h"

namespace appserver {

// The audit of the server's requests: every call (person, client address, method, arguments,
// rows, duration, outcome), and every refusal for want of a sign-in.
class CallAudit {
public:
    // Adds one row to the audit; raises when it cannot.
    using Writer = std::function<void(const hostfw::AuditEvent& event)>;

    explicit CallAudit(Writer write) : write_(std::move(write)) {}

    // Answers the request with `route`, in the name of `person`, and audits a call (POST) or a
    // refusal for want of a sign-in (401); an object description reveals nothing and is not
    // audited. Never raises.
    DispatchResult Run(const HttpRequestView& request, const std::string& client,
                       const std::string& person, const std::function<DispatchResult()>& route);
    // Writes the event and gives the result, or a 500 instead when the event cannot be
    // written: a call nobody could trace gets nothing. Never raises.
    DispatchResult Record(DispatchResult result, const hostfw::AuditEvent& event);

private:
    Writer write_;
};

}  // namespace appserver
