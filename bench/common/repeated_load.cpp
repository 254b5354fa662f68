#include "repeated_load.h"

#include <vector>

#include "day_ranges.h"
#include "host/data/engine.h"
#include "support/raw_http.h"

namespace benchsupport {

RepeatedLoad RepeatKeepAliveLoad(const std::string& host, int port, const std::string& request,
                                 const LoadShape& shape, int runs,
                                 const std::function<void(int run, const LoadResult&)>& eachRun) {
    std::vector<double> rates, p50s, p99s;
    RepeatedLoad repeated;
    for (int run = 0; run < runs; ++run) {
        const LoadResult result = RunKeepAliveLoad(host, port, request, shape);
        if (eachRun)
            eachRun(run, result);
        rates.push_back(result.callsPerSecond);
        p50s.push_back(result.p50Ms);
        p99s.push_back(result.p99Ms);
        repeated.errors += result.errors;
    }
    repeated.callsPerSecond = Median(rates);
    repeated.p50Ms = Median(p50s);
    repeated.p99Ms = Median(p99s);
    return repeated;
}

std::string SmallGetNotaRequest(const std::string& databasePath, const std::string& branch,
                                long long rows) {
    const auto engine = hostfw::OpenDatabase(databasePath);
    const DayRange range = DayRangesHolding({rows}, branch, *engine).front();
    return servertest::HttpRequest(
        "POST", "/exp03600.rdmRelConsLanc/GetNota",
        servertest::GetNotaBody(branch, range.first.value, range.last.value));
}

}  // namespace benchsupport
