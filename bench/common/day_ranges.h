#pragma once

#include <string>
#include <vector>

#include "host/core/date_time.h"
#include "host/data/engine.h"

namespace benchsupport {

// Days of one branch, from its first issue day, that hold at least `wanted` invoices.
struct DayRange {
    long long wanted = 0;
    long long rows = 0;  // what the range holds
    hostfw::TDateTime first;
    hostfw::TDateTime last;
};

// The shortest such range for each wanted count, in the order given (ascending); raises
// std::runtime_error when the branch holds fewer invoices than the last count.
std::vector<DayRange> DayRangesHolding(const std::vector<long long>& wanted,
                                       const std::string& branch, hostfw::Engine& engine);

}  // namespace benchsupport
