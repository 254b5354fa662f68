#pragma once

#include <memory>

#include "host/report/printed_line.h"
#include "host/report/report_request.h"
#include "host/ui/report_preview.h"
#include "hostfw_export.h"

namespace hostfw {

class PagedLayout;

// A report laid out for the screen: a window draws any of its pages on demand, exactly as the
// PDF draws them; without a window its text stands in.
class HOSTFW_EXPORT LaidOutReport : public ReportPreview {
public:
    // Nothing when the form's handler cancelled the run.
    static std::unique_ptr<LaidOutReport> Run(const ReportRequest& request);
    ~LaidOutReport() override;

    const std::string& Title() const override;
    std::string Text() const override;
    const ReportDefinition& Definition() const;
    int PageCount() const;
    // Page `number`, 1 to PageCount.
    FramedPage Page(int number) const;

private:
    explicit LaidOutReport(std::unique_ptr<PagedLayout> layout);
    // Reading a page moves the spool's file position.
    std::unique_ptr<PagedLayout> layout_;
};

}  // namespace hostfw
