#pragma once

#include <cstddef>
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

// The longest text each column takes, in characters. RecordAudit cuts a longer text there, and a
// shared database refuses a longer one from anyone (exp036-admin setup), so no row can be made
// large enough to fill the disk.
inline constexpr std::size_t kAuditPersonLimit = 63;
inline constexpr std::size_t kAuditOriginLimit = 255;
inline constexpr std::size_t kAuditObjectLimit = 255;
inline constexpr std::size_t kAuditParametersLimit = 8000;
inline constexpr std::size_t kAuditOutputLimit = 4500;
inline constexpr std::size_t kAuditOutcomeLimit = 2000;

inline constexpr const char* kAuditSignIn = "entrada";
inline constexpr const char* kAuditSignInRefused = "entrada-recusada";
inline constexpr const char* kAuditCall = "chamada";
inline constexpr const char* kAuditReport = "relatorio";

// Creates the audit table where it is missing (a database made by an older version).
HOSTFW_EXPORT void CreateAuditTable(Engine& engine);
// Adds the event to the audit of the database, in its own statement outside any transaction of
// the caller's. The moment is the database's. Whatever a text holds (a request's bytes, invalid
// UTF-8, NUL), it is stored: a byte that is not UTF-8 as the Latin-1 letter it would be, NUL and
// what UTF-8 may not hold as U+FFFD, and a text over its column's limit cut there.
HOSTFW_EXPORT void RecordAudit(Engine& engine, const AuditEvent& event);

}  // namespace hostfw
