#pragma once

#include <memory>
#include <optional>

#include "host/report/bound_band.h"
#include "host/report/opened_report.h"
#include "host/report/page_renderer.h"
#include "host/report/page_spool.h"
#include "host/report/report_body.h"
#include "host/report/report_pager.h"
#include "host/report/report_request.h"

namespace hostfw {

// A report laid out into page bodies, kept in a spool until the page count is known; any page
// can then be framed with its header and footer ("Página N de M"), in order for a file or on
// demand for a window.
class PagedLayout {
public:
    // Runs the query and lays out every row (the request's progress handler may stop it). The
    // database is free again once it returns: a window that shows the pages holds no statement
    // or transaction, so the audit and other runs can use the connection meanwhile. Nothing
    // when the form's handler cancelled the run.
    static std::unique_ptr<PagedLayout> Run(const ReportRequest& request);
    // A layout left halfway stops its statement in the database.
    ~PagedLayout();

    const ReportDefinition& Definition() const { return definition_; }
    const TParams& Params() const { return report_.params; }
    int PageCount() const { return spool_.PageCount(); }
    long long RowsRead() const { return rowsRead_; }
    // Page `number` (1 to PageCount) with its header and footer.
    FramedPage Page(int number);
    // Every page in order into the renderer, which is then finished.
    void Render(PageRenderer& renderer, const ReportRequest& request);

private:
    PagedLayout(Engine& engine, const ReportDefinition& definition, OpenedReport report);
    // Lays out one row; false once the report is complete.
    bool LayOutRow();
    void Frame(FramedPage& page);

    Engine& engine_;

    // A copy: a window may show the pages after the form that ran the report is gone.
    ReportDefinition definition_;
    OpenedReport report_;
    PageSpool spool_;
    ReportPager pager_;
    std::unique_ptr<ReportBody> body_;  // until the last row is laid out
    BoundBand header_;
    BoundBand footer_;
    PrintedLines heading_;
    long long rowsRead_ = 0;
};

}  // namespace hostfw
