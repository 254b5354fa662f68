#include "host/ui/report_preview.h"

namespace hostfw {

ReportPreview::~ReportPreview() = default;

}  // namespace hostfw
