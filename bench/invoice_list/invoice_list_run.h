#pragma once

#include <benchmark/benchmark.h>

#include <functional>
#include <string>

#include "day_ranges.h"
#include "get_nota_request.h"

namespace benchsupport {

// The floor of one benchmark: the server's own statement for a GetNota of `range`, its rows
// read straight with the engine's client library into strings, timed in `state`.
using InvoiceListFloor = std::function<void(benchmark::State& state, const DayRange& range)>;

// The invoice list end to end (arguments, HTTP, the server's query, the packet, the load into
// the client dataset) over `database`, against `floor`, for replies of about 1,000, 10,000 and
// 100,000 invoices of branch 0001: medians of several repetitions, then each size's ratio of
// elapsed and of processor time to the floor's. Returns the process's exit status.
int RunInvoiceListBench(const std::string& database, const InvoiceListFloor& floor);

// The branch every run asks for.
inline constexpr const char* kInvoiceListBranch = "0001";

// The GetNota request of every run of `range`: the branch's invoices of those days.
inline appserver::GetNotaRequest InvoiceListRequest(const DayRange& range) {
    appserver::GetNotaRequest request;
    request.branch = kInvoiceListBranch;
    request.firstDay = range.first;
    request.lastDay = range.last;
    return request;
}

}  // namespace benchsupport
