// The balancer's cost and what more servers give on one machine: small GetNota calls (about ten
// invoices each) from 16 and 64 keep-alive clients, sent straight to one application server, then
// through HAProxy (the shipped configuration, PROXY protocol and health checks) to one, two and
// three servers over the same database. Prints calls per second, median and 99th-percentile
// latency and errors of each run, then the medians over the runs.
// Usage: balancer_bench DEMO.sqlite [RUNS]

#include <unistd.h>

#include <filesystem>
#include <iomanip>
#include <iostream>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "keep_alive_load.h"
#include "small_get_nota.h"
#include "support/balancer_process.h"
#include "support/server_process.h"

namespace {

constexpr const char* kBranch = "0001";
constexpr long long kRowsPerCall = 10;
// The balancer's connections to the servers leave from here, which the servers trust.
constexpr const char* kBalancerSource = "127.0.0.3";

struct Scenario {
    const char* name;
    benchsupport::LoadShape shape;
};

const Scenario kScenarios[] = {
    {"16 keep-alive clients x 1000 calls", {16, 1000, false}},
    {"64 keep-alive clients x 500 calls", {64, 500, false}},
};

void Measure(const std::string& layout, int port, const std::string& request, int runs) {
    for (const Scenario& scenario : kScenarios) {
        const benchsupport::LoadResult load =
            benchsupport::RepeatKeepAliveLoad("127.0.0.1", port, request, scenario.shape, runs, {});
        std::cout << layout << ", " << scenario.name << ": " << load.callsPerSecond
                  << " calls/s, p50 " << load.p50Ms << " ms, p99 " << load.p99Ms
                  << " ms (medians of " << runs << " runs); errors " << load.errors << std::endl;
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: balancer_bench DEMO.sqlite [RUNS]\n";
        return 2;
    }
    const int runs = argc == 3 ? std::stoi(argv[2]) : 3;
    try {
        const std::string request =
            benchsupport::SmallGetNotaRequest(argv[1], kBranch, kRowsPerCall);
        const auto folder = std::filesystem::temp_directory_path() /
                            ("exp036-balancer-bench-" + std::to_string(getpid()));
        std::filesystem::create_directories(folder);
        std::vector<std::unique_ptr<servertest::ServerProcess>> servers;
        std::vector<int> ports;
        for (int i = 0; i < 3; ++i) {
            servers.push_back(std::make_unique<servertest::ServerProcess>(
                std::vector<std::string>{"--db", argv[1], "--trusted-proxy", kBalancerSource}));
            ports.push_back(servers.back()->Port());
        }
        std::cout << std::fixed << std::setprecision(1);
        std::cout << "servers: --threads 4 (default) each; GetNota of " << kRowsPerCall << " rows; "
                  << std::thread::hardware_concurrency() << " cores\n";
        Measure("straight to one server", servers[0]->Port(), request, runs);
        for (std::size_t count = 1; count <= ports.size(); ++count) {
            const servertest::BalancerProcess balancer(
                std::vector<int>(ports.begin(), ports.begin() + static_cast<long>(count)),
                kBalancerSource, folder);
            Measure("HAProxy, " + std::to_string(count) + " server(s)", balancer.Port(), request,
                    runs);
        }
        std::filesystem::remove_all(folder);
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
