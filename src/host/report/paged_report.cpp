#include "host/report/paged_report.h"

#include "host/report/paged_layout.h"

namespace hostfw {

bool RunPagedReport(const ReportRequest& request, PageRenderer& renderer) {
    const auto layout = PagedLayout::Run(request);
    if (!layout)
        return false;
    layout->Render(renderer, request);
    return true;
}

}  // namespace hostfw
