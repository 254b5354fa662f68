#include "host/report/paged_report.h"

#include "host/report/bound_band.h"
#include "host/report/opened_report.h"
#include "host/report/page_spool.h"
#include "host/report/report_body.h"
#include "host/report/report_pager.h"

namespace hostfw {
namespace {

PrintedLines ColumnHeading(const ReportDefinition& definition) {
    PrintedLine titles{BandLine::Kind::Cells, LineStyle::Bold, {}};
    for (const ReportColumn& column : definition.columns)
        titles.texts.push_back(column.title);
    return {titles, PrintedLine{BandLine::Kind::Rule, LineStyle::Normal, {}}};
}

void replay(const ReportDefinition& definition, OpenedReport& report, PageSpool& spool,
            PageRenderer& renderer) {
    // Both bands were checked against these names when the definition loaded.
    const BoundBand header(definition.pageHeader, report.scope.Names());
    const BoundBand footer(definition.pageFooter, report.scope.Names());
    const PrintedLines heading = ColumnHeading(definition);
    FramedPage page;
    page.count = spool.PageCount();
    spool.Rewind();
    while (spool.Read(page.body)) {
        ++page.number;
        report.scope.SetPage(page.number, page.count);
        page.header = header.Render(report.scope.Values(), definition.statusTexts);
        page.header.insert(page.header.end(), heading.begin(), heading.end());
        page.footer = footer.Render(report.scope.Values(), definition.statusTexts);
        renderer.RenderPage(page);
    }
    renderer.Finish();
}

}  // namespace

bool RunPagedReport(const ReportRequest& request, PageRenderer& renderer) {
    auto report = OpenReport(request);
    if (!report)
        return false;
    const ReportDefinition& definition = request.definition;
    PageSpool spool;
    ReportPager pager(definition.BodyLinesPerPage(), spool);
    ReportBody(definition, *report, pager).Run();
    report->FinishReading();
    replay(definition, *report, spool, renderer);
    return true;
}

}  // namespace hostfw
