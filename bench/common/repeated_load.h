#pragma once

#include <functional>
#include <string>

#include "keep_alive_load.h"

namespace benchsupport {

// Medians of one load run several times, and the errors of all runs together.
struct RepeatedLoad {
    double callsPerSecond = 0;
    double p50Ms = 0;
    double p99Ms = 0;
    long long errors = 0;
};

// Runs the same load `runs` times; `eachRun` hears every run's figures as it ends.
RepeatedLoad RepeatKeepAliveLoad(const std::string& host, int port, const std::string& request,
                                 const LoadShape& shape, int runs,
                                 const std::function<void(int run, const LoadResult&)>& eachRun);

// A GetNota call of the branch over the first days that hold about `rows` invoices, as the
// load benchmarks send it.
std::string SmallGetNotaRequest(const std::string& databasePath, const std::string& branch,
                                long long rows);

}  // namespace benchsupport
