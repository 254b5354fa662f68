#include "report/report_audit.h"

#include <iostream>

#include "host/core/system_login.h"
#include "host/data/audit_trail.h"
#include "host/report/report_run_observer.h"
#include "host/session/session.h"
#include "host/ui/host_context.h"
#include "session/host_identity.h"

namespace host {
namespace {

hostfw::AuditEvent AuditEvent(const hostfw::SessionSettings& session,
                              const hostfw::ReportRunRecord& run) {
    const auto& person = session.person;
    std::string output = run.outputKind;
    if (!run.outputFile.empty())
        output += " " + run.outputFile;
    return {person ? person->login : hostfw::SystemLogin(),
            HostName(),
            hostfw::kAuditReport,
            run.report,
            run.parameters,
            run.rows,
            run.duration.count(),
            output,
            run.outcome};
}

}  // namespace

ReportAudit::ReportAudit(hostfw::HostContext& context, Warn warn) : context_(context) {
    context_.ReportRuns().Install([this,
                                   warn = std::move(warn)](const hostfw::ReportRunRecord& run) {
        try {
            hostfw::RecordAudit(*context_.Database().Open(), AuditEvent(context_.Session(), run));
        } catch (const std::exception& failure) {
            warn(std::string("A execução do relatório não foi registrada na auditoria: ") +
                 failure.what());
        }
    });
}

void ReportAudit::WarnOnStandardError(const std::string& warning) {
    std::cerr << "exp036-host: aviso: " << warning << '\n';
}

ReportAudit::~ReportAudit() {
    context_.ReportRuns().Install(nullptr);
}

}  // namespace host
