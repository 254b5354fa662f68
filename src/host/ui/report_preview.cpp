#include "host/ui/report_preview.h"

#include <sstream>

namespace hostfw {

ReportPreview::~ReportPreview() = default;

std::string ReportPreview::Text() const {
    std::ostringstream out;
    WriteText(out);
    return std::move(out).str();
}

}  // namespace hostfw
