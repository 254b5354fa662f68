#include "invoice_list_run.h"

#include <unistd.h>

#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "host/data/engine.h"
#include "support/invoice_client.h"
#include "support/server_process.h"

namespace benchsupport {
namespace {

constexpr int kRepetitions = 7;

using Range = DayRange;

// The processor time the process has used so far (user and system), in milliseconds.
double ProcessorMs(pid_t pid) {
    std::ifstream stat("/proc/" + std::to_string(pid) + "/stat");
    std::string line;
    std::getline(stat, line);
    // The fields after the command name, which is in parentheses and may hold blanks.
    std::istringstream fields(line.substr(line.rfind(')') + 2));
    std::string field;
    double ticks = 0;
    for (int index = 3; fields >> field && index <= 15; ++index) {
        if (index >= 14)  // utime, stime
            ticks += std::stod(field);
    }
    return ticks * 1000.0 / static_cast<double>(sysconf(_SC_CLK_TCK));
}

// What the report form does on each search, over a connection opened beforehand. The server's
// processor time per call is counted too: on a machine shared with other work, processor time
// shows the cost of the rows where the elapsed time also shows the waits for a processor.
void RoundTrip(benchmark::State& state, servertest::InvoiceClient* client, pid_t server,
               Range range) {
    const double serverBefore = ProcessorMs(server);
    for (auto _ : state) {
        servertest::GetNotaArgs args;
        args.branch = kInvoiceListBranch;
        args.first = range.first;
        args.last = range.last;
        client->Load(args);
        if (client->Invoices().RecordCount() != range.rows)
            state.SkipWithError("unexpected row count");
    }
    state.counters["rows"] = static_cast<double>(range.rows);
    state.counters["server_cpu_ms"] =
        (ProcessorMs(server) - serverBefore) / static_cast<double>(state.iterations());
}

// Prints as usual and keeps each benchmark's median, for the closing comparison.
class MedianReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.aggregate_name != "median")
                continue;
            Median& median = medians_[run.run_name.function_name];
            median.elapsed = run.GetAdjustedRealTime();
            median.processor = run.GetAdjustedCPUTime();
            if (const auto server = run.counters.find("server_cpu_ms");
                server != run.counters.end())
                median.processor += server->second;
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void PrintRatios(const std::vector<Range>& ranges) const {
        std::cout << "\nmedians (ms): rows, floor (C API into strings), round trip, ratio; "
                     "processor time: floor, round trip (host and server), ratio\n";
        for (const Range& range : ranges) {
            const auto direct = medians_.find(Name("direct", range));
            const auto trip = medians_.find(Name("round_trip", range));
            if (direct == medians_.end() || trip == medians_.end())
                continue;
            const Median& floor = direct->second;
            const Median& whole = trip->second;
            std::cout << range.rows << "\t" << floor.elapsed << "\t" << whole.elapsed << "\t"
                      << whole.elapsed / floor.elapsed << "\t" << floor.processor << "\t"
                      << whole.processor << "\t" << whole.processor / floor.processor << "\n";
        }
    }

    static std::string Name(const std::string& kind, const Range& range) {
        return kind + "/" + std::to_string(range.wanted);
    }

private:
    struct Median {
        double elapsed = 0;
        double processor = 0;  // of the benchmark, plus the server's for a round trip
    };
    std::map<std::string, Median> medians_;
};

}  // namespace

int RunInvoiceListBench(const std::string& database, const InvoiceListFloor& floor) {
    try {
        const auto engine = hostfw::OpenDatabase(database);
        const std::vector<Range> ranges =
            DayRangesHolding({1'000, 10'000, 100'000}, kInvoiceListBranch, *engine);
        servertest::ServerProcess server({"--db", database});
        servertest::InvoiceClient client(server.Host(), server.Port());
        client.Connection().SetConnected(true);

        // Each size's floor just before its round trip: on a machine shared with other work the
        // load changes from minute to minute, and a ratio of two medians taken far apart would
        // show that change more than the cost of the call.
        for (const Range& range : ranges) {
            benchmark::RegisterBenchmark(
                MedianReporter::Name("direct", range).c_str(),
                [&floor, range](benchmark::State& state) { floor(state, range); })
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(kRepetitions)
                ->ReportAggregatesOnly(true);
            benchmark::RegisterBenchmark(MedianReporter::Name("round_trip", range).c_str(),
                                         RoundTrip, &client, server.Pid(), range)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(kRepetitions)
                ->ReportAggregatesOnly(true);
        }
        MedianReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        reporter.PrintRatios(ranges);
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}

}  // namespace benchsupport
