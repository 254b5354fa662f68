#include "report_mode.h"

#include "host/core/exception.h"

namespace host {

int RunReportMode(const HostOptions& /*options*/) {
    throw hostfw::Exception("o subcomando report ainda não está disponível.");
}

}  // namespace host
