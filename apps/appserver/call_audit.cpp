#include "call_audit.h"

#include <chrono>

namespace appserver {
namespace {

// No character takes more than four bytes: what lies beyond cannot be kept in the row.
constexpr std::size_t kAuditedBodyBytes = hostfw::kAuditParametersLimit * 4;

// The audit row of a request: the method called (the path without its leading "/"), the
// arguments as sent, and how it ended. RecordAudit bounds each text; the body is cut here
// already, so a row waiting to be written never holds a megabyte.
hostfw::AuditEvent CallEvent(const HttpRequestView& request, const std::string& client,
                             const std::string& person, const DispatchResult& result,
                             std::optional<long long> durationMs) {
    const std::string path = RequestPath(request.target);
    const std::string_view body = request.method == "POST" ? request.body : std::string_view();
    hostfw::AuditEvent event{person,
                             client,
                             hostfw::kAuditCall,
                             path.substr(path.empty() ? 0 : 1),
                             std::string(body.substr(0, kAuditedBodyBytes)),
                             std::nullopt,
                             durationMs,
                             "",
                             result.status == 200 ? "ok" : result.outcome};
    if (result.rows)
        event.rows = static_cast<long long>(*result.rows);
    return event;
}

}  // namespace

DispatchResult CallAudit::Run(const HttpRequestView& request, const std::string& client,
                              const std::string& person,
                              const std::function<DispatchResult()>& route) {
    const auto start = std::chrono::steady_clock::now();
    DispatchResult result = route();
    if (request.method != "POST" && result.status != 401)
        return result;
    const auto elapsed = std::chrono::duration_cast<std::chrono::milliseconds>(
        std::chrono::steady_clock::now() - start);
    const hostfw::AuditEvent event = CallEvent(request, client, person, result, elapsed.count());
    return Record(std::move(result), event);
}

void CallAudit::RecordRefused(const HttpRequestView& request, const std::string& client,
                              const std::string& person, const DispatchResult& refusal) {
    Record(refusal, CallEvent(request, client, person, refusal, std::nullopt));
}

DispatchResult CallAudit::Record(DispatchResult result, const hostfw::AuditEvent& event) {
    try {
        write_(event);
    } catch (const std::exception& failure) {
        return ErrorResult(503, std::string("A chamada não pôde ser registrada na auditoria; "
                                            "nada foi entregue: ") +
                                    failure.what());
    }
    return result;
}

}  // namespace appserver
