#include "call_audit.h"

#include <chrono>

namespace appserver {
namespace {

// Longer argument texts are cut in the audit; the call itself is bounded by --max-body.
constexpr std::size_t kAuditedArgumentsLimit = 4000;
constexpr std::size_t kAuditedMethodLimit = 255;

std::string Cut(std::string_view text, std::size_t limit) {
    return std::string(text.substr(0, limit));
}

}  // namespace

DispatchResult CallAudit::Run(const HttpRequestView& request, const std::string& client,
                              const std::string& person,
                              const std::function<DispatchResult()>& route) {
    const auto start = std::chrono::steady_clock::now();
    DispatchResult result = route();
    const bool call = request.method == "POST";
    if (!call && result.status != 401)
        return result;
    const std::string path = RequestPath(request.target);
    hostfw::AuditEvent event{person,
                             client,
                             hostfw::kAuditCall,
                             Cut(path.substr(path.empty() ? 0 : 1), kAuditedMethodLimit),
                             call ? Cut(request.body, kAuditedArgumentsLimit) : std::string(),
                             std::nullopt,
                             std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now() - start)
                                 .count(),
                             "",
                             result.status == 200 ? "ok" : result.outcome};
    if (result.rows)
        event.rows = static_cast<long long>(*result.rows);
    return Record(std::move(result), event);
}

DispatchResult CallAudit::Record(DispatchResult result, const hostfw::AuditEvent& event) {
    try {
        write_(event);
    } catch (const std::exception& failure) {
        return ErrorResult(500, std::string("A chamada não pôde ser registrada na auditoria; "
                                            "nada foi entregue: ") +
                                    failure.what());
    }
    return result;
}

}  // namespace appserver
