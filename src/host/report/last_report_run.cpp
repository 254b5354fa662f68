#include "host/report/last_report_run.h"

namespace hostfw {
namespace {

struct LastRun {
    TParams params;
    unsigned long runs = 0;
};

LastRun& lastRun() {
    static LastRun run;
    return run;
}

}  // namespace

const TParams& LastReportRunParams() {
    return lastRun().params;
}
bool ReportHasRun() {
    return lastRun().runs > 0;
}
unsigned long ReportRunCount() {
    return lastRun().runs;
}

void RecordReportRunParams(const TParams& params) {
    TParams copy;
    for (size_t i = 0; i < params.Count(); ++i) {
        copy.CreateParam(params[i].Name()).SetAsVariant(params[i].Value());
    }
    lastRun().params = std::move(copy);
    ++lastRun().runs;
}

}  // namespace hostfw
