#pragma once

#include <memory>
#include <optional>

#include "host/report/bound_band.h"
#include "host/report/opened_report.h"
#include "host/report/page_renderer.h"
#include "host/report/page_spool.h"
#include "host/report/report_request.h"

namespace hostfw {

// A report whose rows were all read and laid out into page bodies, kept in a spool until the
// page count is known; any page can then be framed with its header and footer ("Página N de
// M"), in order for a file or on demand for a window.
class PagedLayout {
public:
    // Reads the rows (the request's progress handler may stop it). Nothing when the form's
    // handler cancelled the run.
    static std::unique_ptr<PagedLayout> Run(const ReportRequest& request);
    ~PagedLayout();

    const ReportDefinition& Definition() const { return definition_; }
    int PageCount() const { return spool_.PageCount(); }
    // Page `number` (1 to PageCount) with its header and footer.
    FramedPage Page(int number);
    // Every page in order into the renderer, which is then finished.
    void Render(PageRenderer& renderer, const ReportRequest& request);

private:
    PagedLayout(const ReportDefinition& definition, OpenedReport report);
    void frame(FramedPage& page);

    // A copy: a window may show the pages after the form that ran the report is gone.
    ReportDefinition definition_;
    OpenedReport report_;
    PageSpool spool_;
    BoundBand header_;
    BoundBand footer_;
    PrintedLines heading_;
};

}  // namespace hostfw
