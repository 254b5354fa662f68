#include "keep_alive_load.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <latch>
#include <memory>
#include <optional>
#include <stdexcept>
#include <thread>

#include "support/raw_http.h"

namespace benchsupport {
namespace {

using Clock = std::chrono::steady_clock;

std::string ClientAddress(int client) {
    return "127.0." + std::to_string(1 + client / 250) + "." + std::to_string(1 + client % 250);
}

double Percentile(const std::vector<double>& sorted, double fraction) {
    if (sorted.empty())
        return 0;
    const auto index = static_cast<std::size_t>(fraction * static_cast<double>(sorted.size() - 1));
    return sorted[index];
}

}  // namespace

LoadResult RunKeepAliveLoad(const std::string& host, int port, const std::string& request,
                            const LoadShape& shape) {
    std::vector<std::vector<double>> latencies(static_cast<std::size_t>(shape.clients));
    std::atomic<long long> errors{0};
    std::latch start(shape.clients + 1);
    std::vector<std::thread> threads;
    for (int c = 0; c < shape.clients; ++c) {
        threads.emplace_back([&, c] {
            auto& mine = latencies[static_cast<std::size_t>(c)];
            mine.reserve(static_cast<std::size_t>(shape.callsPerClient));
            std::unique_ptr<servertest::RawConnection> connection;
            const auto open = [&] {
                connection =
                    std::make_unique<servertest::RawConnection>(host, port, ClientAddress(c));
            };
            try {
                if (!shape.connectTogether)
                    open();
                start.arrive_and_wait();
                if (shape.connectTogether)
                    open();
                for (int i = 0; i < shape.callsPerClient; ++i) {
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
                errors += shape.callsPerClient - static_cast<long long>(mine.size());
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

LoadResult RepeatKeepAliveLoad(const std::string& host, int port, const std::string& request,
                               const LoadShape& shape, int runs,
                               const std::function<void(int run, const LoadResult&)>& eachRun) {
    std::vector<double> rates, p50s, p99s;
    LoadResult repeated;
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

}  // namespace benchsupport
