#pragma once

#include <functional>
#include <string>

#include "host/ui/host_context.h"

namespace host {

// While it lives, every report command of the context's forms adds a row to the audit of the
// session's database: in the signed-in person's name, or the operating-system login's on a database
// without people (the embedded default). A row that cannot be written is reported through
// `warn` (standard error unless told otherwise); the report itself has already run.
class ReportAudit {
public:
    using Warn = std::function<void(const std::string& warning)>;
    explicit ReportAudit(hostfw::HostContext& context, Warn warn = WarnOnStandardError);
    ~ReportAudit();
    ReportAudit(const ReportAudit&) = delete;
    ReportAudit& operator=(const ReportAudit&) = delete;

    static void WarnOnStandardError(const std::string& warning);

private:
    hostfw::HostContext& context_;
};

}  // namespace host
