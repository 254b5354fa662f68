// The invoice list end to end (arguments, HTTP, server query, packet, load into the client
// dataset) against its floor, the same statement read straight with the SQLite C API into
// strings, for replies of about 1,000, 10,000 and 100,000 invoices.
// Usage: invoice_list_bench DEMO.sqlite [benchmark options]

#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <array>
#include <iostream>
#include <string>
#include <vector>

#include "host/data/engine.h"
#include "invoice_list_run.h"
#include "nota_fiscal_query.h"

namespace {

using Range = benchsupport::DayRange;

constexpr int kBusyTimeoutMs = 5000;

// The floor: the server's statement, prepared once, its rows read into strings with the
// SQLite C API and nothing else.
void DirectQuery(benchmark::State& state, sqlite3* db, const Range& range) {
    const appserver::BoundQuery query = appserver::NotaFiscalQuery(
        benchsupport::InvoiceListRequest(range), hostfw::EngineKind::SQLite);
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

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (argc != 2) {
        std::cerr << "usage: invoice_list_bench DEMO.sqlite [benchmark options]\n";
        return 2;
    }
    const std::string database = argv[1];
    sqlite3* db = nullptr;
    if (sqlite3_open_v2(database.c_str(), &db, SQLITE_OPEN_READONLY, nullptr) != SQLITE_OK) {
        std::cerr << "cannot open " << database << "\n";
        return 1;
    }
    // The server records every call in the same file: a read that meets its audit write waits
    // for it, as the server's own reads do, rather than stopping at "database is locked".
    sqlite3_busy_timeout(db, kBusyTimeoutMs);
    const int status = benchsupport::RunInvoiceListBench(
        database,
        [db](benchmark::State& state, const Range& range) { DirectQuery(state, db, range); });
    sqlite3_close(db);
    return status;
}
