#pragma once

#include <optional>
#include <string>

#include "hostfw_export.h"

namespace hostfw {

class Engine;

// One audited event: a sign-in (accepted or refused), an application-server call or a report run.
struct AuditEvent {
    std::string person;      // who: the signed-in person, or the system login
    std::string origin;      // from where: the client's address, or the host's name
    std::string event;       // kAuditSignIn, kAuditSignInRefused, kAuditCall, kAuditReport
    std::string object;      // the method called, the report and its variant
    std::string parameters;  // arguments or report parameters, NAME=value a line
    std::optional<long long> rows;
    std::optional<long long> durationMs;
    std::string output;   // a report run's output kind and file
    std::string outcome;  // "ok", or what failed
};

inline constexpr const char* kAuditSignIn = "entrada";
inline constexpr const char* kAuditSignInRefused = "entrada-recusada";
inline constexpr const char* kAuditCall = "chamada";
inline constexpr const char* kAuditReport = "relatorio";

// Creates the audit table where it is missing (a database made by an older version).
HOSTFW_EXPORT void CreateAuditTable(Engine& engine);
// Adds the event to the audit of the database, in its own statement outside any transaction of
// the caller's. The moment is the database's.
HOSTFW_EXPORT void RecordAudit(Engine& engine, const AuditEvent& event);

}  // namespace hostfw
