#include "host/base_form/audited_report_run.h"

#include "host/core/exception.h"
#include "host/net/call_argument_text.h"
#include "host/report/run_monitor.h"

namespace hostfw {
namespace {

std::string ReportName(const ReportDefinition& definition) {
    std::string name =
        definition.reportCode + "-" + std::to_string(definition.sequence) + " " + definition.title;
    if (!definition.variant.empty())
        name += " (" + definition.variant + ")";
    return name;
}

std::string ParameterLines(const TParams& params) {
    std::string lines;
    for (std::size_t i = 0; i < params.Count(); ++i) {
        if (!lines.empty())
            lines += '\n';
        lines += params[i].Name() + "=" + CallArgumentText(params[i].Value());
    }
    return lines;
}

}  // namespace

AuditedReportRun::AuditedReportRun(const ObserverSlot<ReportRunRecord>& observer,
                                   const ReportDefinition& definition, std::string outputKind)
    : observer_(observer) {
    record_.report = ReportName(definition);
    record_.outputKind = std::move(outputKind);
}

ReportRequest AuditedReportRun::Watch(ReportRequest request) {
    request.beforeGetQueryParams = [this, form = std::move(request.beforeGetQueryParams)](
                                       TParams& params, bool& cancel) {
        if (form)
            form(params, cancel);
        record_.parameters = ParameterLines(params);
    };
    request.rowsRead = [rowsRead = rowsRead_](std::int64_t rows) { *rowsRead = rows; };
    return request;
}

void AuditedReportRun::OutputTo(const std::filesystem::path& file) {
    record_.outputFile = std::filesystem::absolute(file).string();
}

void AuditedReportRun::Run(const std::function<std::optional<std::filesystem::path>()>& command) {
    const auto start = std::chrono::steady_clock::now();
    const auto finish = [&](std::string outcome) {
        record_.duration = std::chrono::duration_cast<std::chrono::milliseconds>(
            std::chrono::steady_clock::now() - start);
        record_.outcome = std::move(outcome);
        record_.rows = *rowsRead_;
        observer_.Notify(record_);
    };
    try {
        const auto file = command();
        if (file && !file->empty())
            OutputTo(*file);
        finish(file ? "ok" : "cancelado");
    } catch (const ReportCancelled&) {
        finish("cancelado pelo usuário");
        throw;
    } catch (const EAbort&) {
        // The form already told the user why it stopped.
        finish("recusado pelo formulário");
        throw;
    } catch (const std::exception& failure) {
        finish(std::string("falha: ") + failure.what());
        throw;
    }
}

}  // namespace hostfw
