// The application server under load: small GetNota calls (about ten invoices each) from 1, 16
// and 64 clients that keep their connections, and from 200 clients that connect at the same
// moment. Prints calls per second, median and 99th-percentile latency and the error count of
// each run, then the medians over the runs. Usage: load_bench DEMO.sqlite [RUNS]
//
// Each client is a thread with a blocking socket, leaving from its own loopback address, so the
// server sees separate clients as it would in an office.

#include <iomanip>
#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

#include "keep_alive_load.h"
#include "small_get_nota.h"
#include "support/server_process.h"

namespace {

constexpr const char* kBranch = "0001";
constexpr long long kRowsPerCall = 10;

struct Scenario {
    const char* name;
    benchsupport::LoadShape shape;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: load_bench DEMO.sqlite [RUNS]\n";
        return 2;
    }
    const int runs = argc == 3 ? std::stoi(argv[2]) : 3;
    try {
        const std::string request =
            benchsupport::SmallGetNotaRequest(argv[1], kBranch, kRowsPerCall);
        const servertest::ServerProcess server({"--db", argv[1]});

        const Scenario scenarios[] = {
            {"1 keep-alive client x 5000 calls", {1, 5000, false}},
            {"16 keep-alive clients x 1000 calls", {16, 1000, false}},
            {"64 keep-alive clients x 1000 calls", {64, 1000, false}},
            {"200 clients connecting at once x 10 calls", {200, 10, true}},
        };
        std::cout << std::fixed << std::setprecision(2);
        std::cout << "server: --threads 4 (default); GetNota of " << kRowsPerCall
                  << " rows; runs: " << runs << "\n\n";
        for (const Scenario& scenario : scenarios) {
            const benchsupport::LoadResult load = benchsupport::RepeatKeepAliveLoad(
                server.Host(), server.Port(), request, scenario.shape, runs,
                [&](int run, const benchsupport::LoadResult& result) {
                    std::cout << scenario.name << "  run " << run + 1 << ": "
                              << result.callsPerSecond << " calls/s, p50 " << result.p50Ms
                              << " ms, p99 " << result.p99Ms << " ms, errors " << result.errors
                              << "\n";
                });
            std::cout << "  median: " << load.callsPerSecond << " calls/s, p50 " << load.p50Ms
                      << " ms, p99 " << load.p99Ms << " ms; errors in all runs: " << load.errors
                      << "\n\n";
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
