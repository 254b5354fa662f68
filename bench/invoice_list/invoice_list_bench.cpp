// The invoice list end to end (arguments, HTTP, server query, packet, load into the client
// dataset) against its floor, the same statement read straight with the SQLite C API into
// strings, for replies of about 1,000, 10,000 and 100,000 invoices.
// Usage: invoice_list_bench DEMO.sqlite [benchmark options]

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <unistd.h>

#include <array>
#include <fstream>
#include <iostream>
#include <map>
#include <memory>
#include <optional>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "day_ranges.h"
#include "get_nota_request.h"
#include "host/data/engine.h"
#include "nota_fiscal_query.h"
#include "support/invoice_client.h"
#include "support/server_process.h"

namespace {

constexpr const char* kBranch = "0001";
constexpr int kRepetitions = 7;

using Range = benchsupport::DayRange;

appserver::GetNotaRequest RequestFor(const Range& range) {
    appserver::GetNotaRequest request;
    request.branch = kBranch;
    request.firstDay = range.first;
    request.lastDay = range.last;
    return request;
}

// The floor: the server's statement, prepared once, its rows read into strings with the
// SQLite C API and nothing else.
void DirectQuery(benchmark::State& state, sqlite3* db, Range range) {
    const appserver::BoundQuery query =
        appserver::NotaFiscalQuery(RequestFor(range), hostfw::EngineKind::SQLite);
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(db, query.sql.c_str(), -1, &statement, nullptr) != SQLITE_OK) {
        state.SkipWithError(sqlite3_errmsg(db));
        return;
    }
    // The request's parameters are all texts (its dates as ISO days).
    for (std::size_t i = 0; i < query.params.Count(); ++i) {
        const std::string name = ":" + query.params[i].Name();
        const std::string value = query.params[i].AsString();
        const int index = sqlite3_bind_parameter_index(statement, name.c_str());
        if (index == 0 ||
            sqlite3_bind_text(statement, index, value.c_str(), static_cast<int>(value.size()),
                              SQLITE_TRANSIENT) != SQLITE_OK) {
            state.SkipWithError(("cannot bind " + name).c_str());
            sqlite3_finalize(statement);
            return;
        }
    }
    for (auto _ : state) {
        std::vector<std::array<std::string, 5>> rows;
        int rc = SQLITE_ROW;
        while ((rc = sqlite3_step(statement)) == SQLITE_ROW) {
            std::array<std::string, 5>& row = rows.emplace_back();
            for (int column = 0; column < 5; ++column) {
                const auto* text =
                    reinterpret_cast<const char*>(sqlite3_column_text(statement, column));
                row[static_cast<std::size_t>(column)].assign(
                    text != nullptr ? text : "",
                    static_cast<std::size_t>(sqlite3_column_bytes(statement, column)));
            }
        }
        sqlite3_reset(statement);
        if (rc != SQLITE_DONE) {
            state.SkipWithError(sqlite3_errstr(rc));
        } else if (static_cast<long long>(rows.size()) != range.rows) {
            state.SkipWithError(("unexpected row count " + std::to_string(rows.size())).c_str());
        }
        benchmark::DoNotOptimize(rows);
    }
    sqlite3_finalize(statement);
    state.counters["rows"] = static_cast<double>(range.rows);
}

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
        args.branch = kBranch;
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

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: invoice_list_bench DEMO.sqlite [benchmark options]\n";
        return 2;
    }
    const std::string database = argv[1];
    try {
        const auto engine = hostfw::OpenDatabase(database);
        const std::vector<Range> ranges =
            benchsupport::DayRangesHolding({1'000, 10'000, 100'000}, kBranch, *engine);
        sqlite3* db = nullptr;
        if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK)
            throw std::runtime_error("cannot open " + database);
        servertest::ServerProcess server({"--db", database});
        servertest::InvoiceClient client(server.Host(), server.Port());
        client.Connection().SetConnected(true);

        // The floors first: the server records every call in the same database file, and a
        // write of its audit trail under way locks out the floor's straight read.
        for (const Range& range : ranges) {
            benchmark::RegisterBenchmark(MedianReporter::Name("direct", range).c_str(), DirectQuery,
                                         db, range)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(kRepetitions)
                ->ReportAggregatesOnly(true);
        }
        for (const Range& range : ranges) {
            benchmark::RegisterBenchmark(MedianReporter::Name("round_trip", range).c_str(),
                                         RoundTrip, &client, server.Pid(), range)
                ->Unit(benchmark::kMillisecond)
                ->Repetitions(kRepetitions)
                ->ReportAggregatesOnly(true);
        }
        MedianReporter reporter;
        benchmark::RunSpecifiedBenchmarks(&reporter);
        reporter.PrintRatios(ranges);
        sqlite3_close(db);
    } catch (const std::exception& error) {
        std::cerr << error.what() << "\n";
        return 1;
    }
    benchmark::Shutdown();
    return 0;
}
