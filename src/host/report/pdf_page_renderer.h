#pragma once

#include <memory>
#include <ostream>

#include "host/report/page_renderer.h"
#include "host/report/report_definition.h"
#include "hostfw_export.h"

namespace hostfw {

// PDF on A4 paper (the definition's orientation), DejaVu Sans embedded. The character grid of
// the definition is stretched over the printable width and the page lines over its height, so
// columns line up as in the text output and a page holds the same lines. A write that fails
// raises from RenderPage or Finish.
class HOSTFW_EXPORT PdfPageRenderer : public PageRenderer {
public:
    PdfPageRenderer(std::ostream& out, const ReportDefinition& definition);
    ~PdfPageRenderer() override;
    void RenderPage(const FramedPage& page) override;
    void Finish() override;

private:
    struct Document;
    std::unique_ptr<Document> document_;
};

}  // namespace hostfw
