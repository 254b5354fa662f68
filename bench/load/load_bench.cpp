// The application server under load: small GetNota calls (about ten invoices each) from 1, 16
// and 64 clients that keep their connections, and from 200 clients that connect at the same
// moment. Prints calls per second, median and 99th-percentile latency and the error count of
// each run, then the medians over the runs. Usage: load_bench DEMO.sqlite [RUNS]
//
// Each client is a thread with a blocking socket, leaving from its own loopback address, so the
// server sees separate clients as it would in an office.

#include <algorithm>
#include <atomic>
#include <chrono>
#include <iomanip>
#include <iostream>
#include <latch>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "day_ranges.h"
#include "host/data/engine.h"
#include "support/raw_http.h"
#include "support/server_process.h"

namespace {

using Clock = std::chrono::steady_clock;

constexpr const char* kBranch = "0001";
constexpr const char* kGetNotaPath = "/exp03600.rdmRelConsLanc/GetNota";
constexpr long long kRowsPerCall = 10;

struct Scenario {
    const char* name;
    int clients;
    int callsPerClient;
    bool connectTogether;  // all clients connect at the same moment, after the start signal
};

struct RunResult {
    double callsPerSecond = 0;
    double p50Ms = 0;
    double p99Ms = 0;
    long long errors = 0;
};

// One loopback address per client: 127.0.1.1, 127.0.1.2, ...
std::string ClientAddress(int client) {
    return "127.0." + std::to_string(1 + client / 250) + "." + std::to_string(1 + client % 250);
}

double Percentile(std::vector<double>& sorted, double fraction) {
    if (sorted.empty())
        return 0;
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1));
    return sorted[index];
}

RunResult Run(const Scenario& scenario, const servertest::ServerProcess& server,
              const std::string& request) {
    std::vector<std::vector<double>> latencies(static_cast<std::size_t>(scenario.clients));
    std::atomic<long long> errors{0};
    std::latch start(scenario.clients + 1);
    std::vector<std::thread> threads;
    for (int c = 0; c < scenario.clients; ++c) {
        threads.emplace_back([&, c] {
            auto& mine = latencies[static_cast<std::size_t>(c)];
            mine.reserve(static_cast<std::size_t>(scenario.callsPerClient));
            std::unique_ptr<servertest::RawConnection> connection;
            const auto open = [&] {
                connection = std::make_unique<servertest::RawConnection>(
                    server.Host(), server.Port(), ClientAddress(c));
            };
            try {
                if (!scenario.connectTogether)
                    open();
                start.arrive_and_wait();
                if (scenario.connectTogether)
                    open();
                for (int i = 0; i < scenario.callsPerClient; ++i) {
                    const auto sent = Clock::now();
                    const auto reply =
                        connection->Send(request) ? connection->ReadReply() : std::nullopt;
                    if (!reply || reply->status != 200) {
                        ++errors;
                        open();  // carry on with a new connection
                        continue;
                    }
                    mine.push_back(
                        std::chrono::duration<double, std::milli>(Clock::now() - sent).count());
                }
            } catch (const std::exception&) {
                errors += scenario.callsPerClient - static_cast<long long>(mine.size());
            }
        });
    }
    start.arrive_and_wait();
    const auto begin = Clock::now();
    for (std::thread& thread : threads)
        thread.join();
    const double seconds = std::chrono::duration<double>(Clock::now() - begin).count();

    std::vector<double> all;
    for (const auto& mine : latencies)
        all.insert(all.end(), mine.begin(), mine.end());
    std::sort(all.begin(), all.end());
    return {static_cast<double>(all.size()) / seconds, Percentile(all, 0.5), Percentile(all, 0.99),
            errors.load()};
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2 || argc > 3) {
        std::cerr << "usage: load_bench DEMO.sqlite [RUNS]\n";
        return 2;
    }
    const int runs = argc == 3 ? std::stoi(argv[2]) : 3;
    try {
        const auto engine = hostfw::OpenDatabase(argv[1]);
        const auto range = benchsupport::DayRangesHolding({kRowsPerCall}, kBranch, *engine).front();
        const std::string request = servertest::HttpRequest(
            "POST", kGetNotaPath,
            servertest::GetNotaBody(kBranch, range.first.value, range.last.value));
        const servertest::ServerProcess server({"--db", argv[1]});

        const Scenario scenarios[] = {
            {"1 keep-alive client x 5000 calls", 1, 5000, false},
            {"16 keep-alive clients x 1000 calls", 16, 1000, false},
            {"64 keep-alive clients x 1000 calls", 64, 1000, false},
            {"200 clients connecting at once x 10 calls", 200, 10, true},
        };
        std::cout << std::fixed << std::setprecision(2);
        std::cout << "server: --threads 4 (default); GetNota of " << kRowsPerCall
                  << " rows; runs: " << runs << "\n\n";
        for (const Scenario& scenario : scenarios) {
            std::vector<double> rates, p50s, p99s;
            long long errors = 0;
            for (int r = 0; r < runs; ++r) {
                const RunResult result = Run(scenario, server, request);
                std::cout << scenario.name << "  run " << r + 1 << ": " << result.callsPerSecond
                          << " calls/s, p50 " << result.p50Ms << " ms, p99 " << result.p99Ms
                          << " ms, errors " << result.errors << "\n";
                rates.push_back(result.callsPerSecond);
                p50s.push_back(result.p50Ms);
                p99s.push_back(result.p99Ms);
                errors += result.errors;
            }
            std::cout << "  median: " << Median(rates) << " calls/s, p50 " << Median(p50s)
                      << " ms, p99 " << Median(p99s) << " ms; errors in all runs: " << errors
                      << "\n\n";
        }
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    return 0;
}
