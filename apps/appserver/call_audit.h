#pragma once

#include <functional>
#include <string>

#include "call_dispatcher.h"
#include "host/data/audit_trail.h"
#include "request_router.h"

namespace appserver {

// Whom the audit names for a request without a valid sign-in.
inline constexpr const char* kAnonymous = "(anônimo)";

// The audit of the server's requests: every call (person, client address, method, arguments,
// rows, duration, outcome), every refusal for want of a sign-in, and every request refused as
// unreadable.
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
    // Audits a request refused before any handler saw it (malformed, too large), with its
    // reason. Never raises.
    void RecordRefused(const HttpRequestView& request, const std::string& client,
                       const std::string& person, const DispatchResult& refusal);
    // Writes the event and gives the result, or a 503 saying why instead when the event cannot
    // be written: a call nobody could trace gets nothing. Never raises.
    DispatchResult Record(DispatchResult result, const hostfw::AuditEvent& event);

private:
    Writer write_;
};

}  // namespace appserver
