#include "host/report/paged_layout.h"

#include "host/data/abandon_rows.h"
#include "host/report/run_monitor.h"

namespace hostfw {
namespace {

PrintedLines ColumnHeading(const ReportDefinition& definition) {
    PrintedLine titles{BandLine::Kind::Cells, LineStyle::Bold, {}};
    for (const ReportColumn& column : definition.columns)
        titles.texts.push_back(column.title);
    return {titles, PrintedLine{BandLine::Kind::Rule, LineStyle::Normal, {}}};
}

}  // namespace

PagedLayout::PagedLayout(Engine& engine, const ReportDefinition& definition, OpenedReport report)
    : engine_(engine),
      definition_(definition),
      report_(std::move(report)),
      pager_(definition_.BodyLinesPerPage(), spool_),
      body_(std::make_unique<ReportBody>(definition_, report_, pager_)),
      // Both bands were checked against these names when the definition loaded.
      header_(definition_.pageHeader, report_.scope.Names()),
      footer_(definition_.pageFooter, report_.scope.Names()),
      heading_(ColumnHeading(definition_)) {}

PagedLayout::~PagedLayout() {
    if (report_.rows)
        AbandonRows(engine_, std::move(report_.rows));
}

std::unique_ptr<PagedLayout> PagedLayout::Run(const ReportRequest& request) {
    auto opened = OpenReport(request);
    if (!opened)
        return nullptr;
    std::unique_ptr<PagedLayout> layout(
        new PagedLayout(request.engine, request.definition, std::move(*opened)));
    RunMonitor monitor(request);
    while (layout->LayOutRow())
        monitor.RowRead(layout->PageCount());
    return layout;
}

bool PagedLayout::LayOutRow() {
    if (!body_)
        return false;
    if (body_->LayOutRow()) {
        ++rowsRead_;
        return true;
    }
    // Every row is read: the statement and its transaction are done with, whatever page is
    // shown later.
    body_.reset();
    report_.FinishReading();
    return false;
}

void PagedLayout::Frame(FramedPage& page) {
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
    Frame(page);
    return page;
}

void PagedLayout::Render(PageRenderer& renderer, const ReportRequest& request) {
    RunMonitor monitor(request, rowsRead_);
    FramedPage page;
    page.count = spool_.PageCount();
    spool_.Rewind();
    while (spool_.Read(page.body)) {
        ++page.number;
        Frame(page);
        renderer.RenderPage(page);
        monitor.PageDrawn(page.number, page.count);
    }
    renderer.Finish();
}

}  // namespace hostfw
