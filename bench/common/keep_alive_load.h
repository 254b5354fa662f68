#pragma once

#include <functional>
#include <string>
#include <vector>

namespace benchsupport {

struct LoadResult {
    double callsPerSecond = 0;
    double p50Ms = 0;
    double p99Ms = 0;
    long long errors = 0;
};

// How the clients of a load behave.
struct LoadShape {
    int clients = 1;
    int callsPerClient = 1;
    bool connectTogether = false;  // all connect at the same moment, after the start signal
};

// Sends `request` from `shape.clients` threads, each from its own loopback address
// (127.0.1.1, 127.0.1.2, ...) over a blocking keep-alive connection to host:port, and measures
// each reply's time; a failed call counts as an error and its client carries on with a new
// connection.
LoadResult RunKeepAliveLoad(const std::string& host, int port, const std::string& request,
                            const LoadShape& shape);

// Runs the same load `runs` times; `eachRun` hears every run's figures as it ends. The result
// holds the medians of the runs and the errors of all runs together.
LoadResult RepeatKeepAliveLoad(const std::string& host, int port, const std::string& request,
                               const LoadShape& shape, int runs,
                               const std::function<void(int run, const LoadResult&)>& eachRun);

double Median(std::vector<double> values);

}  // namespace benchsupport
