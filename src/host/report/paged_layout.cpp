#include "host/report/paged_layout.h"

#include "host/report/report_body.h"
#include "host/report/report_pager.h"
#include "host/report/run_monitor.h"

namespace hostfw {
namespace {

PrintedLines columnHeading(const ReportDefinition& definition) {
    PrintedLine titles{BandLine::Kind::Cells, LineStyle::Bold, {}};
    for (const ReportColumn& column : definition.columns)
        titles.texts.push_back(column.title);
    return {titles, PrintedLine{BandLine::Kind::Rule, LineStyle::Normal, {}}};
}

}  // namespace

PagedLayout::PagedLayout(const ReportDefinition& definition, OpenedReport report)
    : definition_(definition),
      report_(std::move(report)),
      // Both bands were checked against these names when the definition loaded.
      header_(definition_.pageHeader, report_.scope.Names()),
      footer_(definition_.pageFooter, report_.scope.Names()),
      heading_(columnHeading(definition_)) {}

PagedLayout::~PagedLayout() = default;

std::unique_ptr<PagedLayout> PagedLayout::Run(const ReportRequest& request) {
    auto opened = OpenReport(request);
    if (!opened)
        return nullptr;
    std::unique_ptr<PagedLayout> layout(new PagedLayout(request.definition, std::move(*opened)));
    RunMonitor monitor(request);
    ReportPager pager(layout->definition_.BodyLinesPerPage(), layout->spool_);
    ReportBody(layout->definition_, layout->report_, pager, monitor).Run();
    // Every row is read: the statement is done with, whatever page is shown later.
    layout->report_.rows.reset();
    return layout;
}

void PagedLayout::frame(FramedPage& page) {
    report_.scope.SetPage(page.number, page.count);
    page.header = header_.Render(report_.scope.Values(), definition_.statusTexts);
    page.header.insert(page.header.end(), heading_.begin(), heading_.end());
    page.footer = footer_.Render(report_.scope.Values(), definition_.statusTexts);
}

FramedPage PagedLayout::Page(int number) {
    FramedPage page;
    page.number = number;
    page.count = spool_.PageCount();
    spool_.Seek(number - 1);
    spool_.Read(page.body);
    frame(page);
    return page;
}

void PagedLayout::Render(PageRenderer& renderer, const ReportRequest& request) {
    RunMonitor monitor(request);
    FramedPage page;
    page.count = spool_.PageCount();
    spool_.Rewind();
    while (spool_.Read(page.body)) {
        ++page.number;
        frame(page);
        renderer.RenderPage(page);
        monitor.PageDrawn();
    }
    renderer.Finish();
}

}  // namespace hostfw
