#pragma once

#include <chrono>
#include <functional>
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
// demand for a window. A window shows the first page while the rest is still laid out.
class PagedLayout {
public:
    using Deadline = std::chrono::steady_clock::time_point;

    // Runs the query and lays out the first page (the request's progress handler may stop it);
    // the rest waits for LayOutUntil. Nothing when the form's handler cancelled the run.
    static std::unique_ptr<PagedLayout> Start(const ReportRequest& request);
    // Every row read and laid out.
    static std::unique_ptr<PagedLayout> Run(const ReportRequest& request);
    // A layout left halfway stops its statement in the database.
    ~PagedLayout();

    const ReportDefinition& Definition() const { return definition_; }
    const TParams& Params() const { return report_.params; }
    // Pages laid out so far; all of them once Complete.
    int PageCount() const { return spool_.PageCount(); }
    long long RowsRead() const { return rowsRead_; }
    bool Complete() const { return !body_; }
    // Lays out more rows until the deadline passes or the last row is done; true when complete.
    bool LayOutUntil(Deadline deadline);
    // Page `number` (1 to PageCount) with its header and footer; until the layout is complete
    // the footer cannot know the page count and shows "…" for it.
    FramedPage Page(int number);
    // Every page in order into the renderer, which is then finished.
    void Render(PageRenderer& renderer, const ReportRequest& request);

private:
    PagedLayout(Engine& engine, const ReportDefinition& definition, OpenedReport report);
    // Opens the report and lays out rows while `more` says so.
    static std::unique_ptr<PagedLayout> open(const ReportRequest& request,
                                             const std::function<bool(const PagedLayout&)>& more);
    // Lays out one row; false once the report is complete.
    bool LayOutRow();
    void frame(FramedPage& page);

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
