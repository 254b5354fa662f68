#pragma once

#include <ostream>

namespace host {

// While it lives, every report command of the form adds a row to the audit of the session's
// database: in the signed-in person's name, or the operating-system login's on a database
// without people (the embedded default). A row that cannot be written is reported on
// `warnings`; the report itself has already run.
class ReportAudit {
public:
    explicit ReportAudit(std::ostream& warnings);
    ~ReportAudit();
    ReportAudit(const ReportAudit&) = delete;
    ReportAudit& operator=(const ReportAudit&) = delete;
};

}  // namespace host
