#pragma once

#include <ostream>

#include "host/report/page_renderer.h"
#include "host/report/report_definition.h"

namespace hostfw {

// Plain text on the definition's character grid: every page exactly `page.lines` lines long,
// the footer on its last lines, a form feed before each page after the first. Widths count
// characters, not bytes, so accented names keep the columns straight.
class TextPageRenderer : public PageRenderer {
public:
    TextPageRenderer(std::ostream& out, const ReportDefinition& definition);
    void RenderPage(const FramedPage& page) override;
    void Finish() override;

private:
    std::string LineText(const PrintedLine& line) const;
    std::ostream& out_;
    const ReportDefinition& definition_;
};

}  // namespace hostfw
