#include "host/report/laid_out_report.h"

#include <sstream>

#include "host/report/paged_layout.h"
#include "host/report/text_page_renderer.h"

namespace hostfw {

LaidOutReport::LaidOutReport(std::unique_ptr<PagedLayout> layout) : layout_(std::move(layout)) {}

LaidOutReport::~LaidOutReport() = default;

std::unique_ptr<LaidOutReport> LaidOutReport::Run(const ReportRequest& request) {
    auto layout = PagedLayout::Run(request);
    if (!layout)
        return nullptr;
    return std::unique_ptr<LaidOutReport>(new LaidOutReport(std::move(layout)));
}

const std::string& LaidOutReport::Title() const {
    return layout_->Definition().title;
}

const ReportDefinition& LaidOutReport::Definition() const {
    return layout_->Definition();
}

int LaidOutReport::PageCount() const {
    return layout_->PageCount();
}

FramedPage LaidOutReport::Page(int number) const {
    return layout_->Page(number);
}

std::string LaidOutReport::Text() const {
    std::ostringstream out;
    TextPageRenderer renderer(out, layout_->Definition());
    for (int number = 1; number <= layout_->PageCount(); ++number)
        renderer.RenderPage(layout_->Page(number));
    renderer.Finish();
    return std::move(out).str();
}

}  // namespace hostfw
