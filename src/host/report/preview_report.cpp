#include <sstream>

#include "host/report/paged_report.h"
#include "host/report/report_commands.h"
#include "host/report/text_page_renderer.h"

namespace hostfw {

bool PreviewReport(const ReportRequest& request, std::ostream& out) {
    TextPageRenderer renderer(out, request.definition);
    return RunPagedReport(request, renderer);
}

std::optional<std::string> PreviewReport(const ReportRequest& request) {
    std::ostringstream out;
    if (!PreviewReport(request, out))
        return std::nullopt;
    return std::move(out).str();
}

}  // namespace hostfw
