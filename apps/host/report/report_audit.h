#pragma once

#include <functional>
#include <string>

namespace host {

// While it lives, every report command of the form adds a row to the audit of the session's
// database: in the signed-in person's name, or the operating-system login's on a database
// without people (the embedded default). A row that cannot be written is reported through
// `warn` (standard error unless told otherwise); the report itself has already run.
class ReportAudit {
public:
    using Warn = std::function<void(const std::string& warning)>;
    explicit ReportAudit(Warn warn = WarnOnStandardError);
    ~ReportAudit();
    ReportAudit(const ReportAudit&) = delete;
    ReportAudit& operator=(const ReportAudit&) = delete;

    static void WarnOnStandardError(const std::string& warning);
};

}  // namespace host
