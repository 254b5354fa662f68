#include "host/report/laid_out_report.h"

#include "host/core/date_time.h"
#include "host/core/whole_file.h"
#include "host/report/paged_layout.h"
#include "host/report/pdf_page_renderer.h"
#include "host/report/report_commands.h"
#include "host/report/text_page_renderer.h"

namespace hostfw {

LaidOutReport::LaidOutReport(std::unique_ptr<PagedLayout> layout, std::shared_ptr<Engine> database,
                             TDateTime printedAt)
    : database_(std::move(database)), layout_(std::move(layout)), printedAt_(printedAt) {}

LaidOutReport::~LaidOutReport() = default;

std::unique_ptr<LaidOutReport> LaidOutReport::Start(const ReportRequest& request,
                                                    std::shared_ptr<Engine> database) {
    // One time for the page header and for an export of the same rows later.
    const TDateTime printedAt = request.printedAt.value_or(Now());
    ReportRequest timed = request;
    timed.printedAt = printedAt;
    auto layout = PagedLayout::Run(timed);
    if (!layout)
        return nullptr;
    return std::unique_ptr<LaidOutReport>(
        new LaidOutReport(std::move(layout), std::move(database), printedAt));
}

const std::string& LaidOutReport::Title() const {
    return layout_->Definition().title;
}

const ReportDefinition& LaidOutReport::Definition() const {
    return layout_->Definition();
}

long long LaidOutReport::RowsRead() const {
    return layout_->RowsRead();
}

int LaidOutReport::PageCount() const {
    return layout_->PageCount();
}

FramedPage LaidOutReport::Page(int number) const {
    return layout_->Page(number);
}

void LaidOutReport::WriteText(std::ostream& out) const {
    TextPageRenderer renderer(out, layout_->Definition());
    for (int number = 1; number <= layout_->PageCount(); ++number)
        renderer.RenderPage(layout_->Page(number));
    renderer.Finish();
}

void LaidOutReport::ExportRows(const std::filesystem::path& file, ReportFileFormat format,
                               std::function<bool(const RunStep& step)> progress) const {
    const TParams& bound = layout_->Params();
    ReportRequest request{*database_, layout_->Definition(),
                          [&bound](TParams& params, bool&) {
                              for (std::size_t i = 0; i < bound.Count(); ++i) {
                                  if (TParam* param = params.FindParam(bound[i].Name()))
                                      param->SetAsVariant(bound[i].Value());
                              }
                          },
                          printedAt_, std::move(progress)};
    ExportReport(request, format, file);
}

void LaidOutReport::ExportPdf(const std::filesystem::path& file) const {
    WriteFileWhole(file, [this](StagedFile& staged) {
        PdfPageRenderer renderer(staged.Stream(), layout_->Definition());
        for (int number = 1; number <= layout_->PageCount(); ++number)
            renderer.RenderPage(layout_->Page(number));
        renderer.Finish();
        return true;
    });
}

}  // namespace hostfw
