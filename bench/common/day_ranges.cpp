#include "day_ranges.h"

#include <optional>
#include <stdexcept>

namespace benchsupport {

std::vector<DayRange> DayRangesHolding(const std::vector<long long>& wanted,
                                       const std::string& branch, hostfw::Engine& engine) {
    hostfw::TParams params;
    params.CreateParam("P_CDFILIAL").SetAsString(branch);
    const auto cursor = engine.Query(
        "SELECT DTEMISSAO, count(*) FROM NOTAFISCAL WHERE CDFILIAL = :P_CDFILIAL "
        "GROUP BY DTEMISSAO ORDER BY DTEMISSAO",
        params);
    std::vector<DayRange> ranges;
    long long total = 0;
    std::optional<hostfw::TDateTime> first;
    auto next = wanted.begin();
    while (cursor->Next() && next != wanted.end()) {
        const auto day = hostfw::IsoToDate(cursor->Value(0).AsString());
        if (!day)
            continue;
        if (!first)
            first = *day;
        total += cursor->Value(1).AsInteger();
        for (; next != wanted.end() && total >= *next; ++next)
            ranges.push_back({*next, total, *first, *day});
    }
    if (next != wanted.end()) {
        throw std::runtime_error("the branch " + branch + " holds only " + std::to_string(total) +
                                 " invoices; build a larger database");
    }
    return ranges;
}

}  // namespace benchsupport
