#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "host/report/bound_band.h"
#include "host/report/opened_report.h"
#include "host/report/report_pager.h"

namespace hostfw {

// Lays out the body of a report from its rows, one row at a time: group headings and
// footers, detail lines, the summary, or the no-rows line; totals in whole cents.
class ReportBody {
public:
    // Raises a definition error when a band names a column the query does not return.
    ReportBody(const ReportDefinition& definition, OpenedReport& report, ReportPager& pager);
    void Run();

private:
    void StartGroup();
    void AddRow();
    void CloseGroup();
    void finish();

    const ReportDefinition& definition_;
    OpenedReport& report_;
    ReportPager& pager_;
    BoundBand detail_;
    std::optional<BoundBand> groupHeader_;
    std::optional<BoundBand> groupFooter_;
    BoundBand summary_;
    BoundBand noRows_;
    std::optional<std::size_t> groupColumn_;
    std::optional<std::size_t> amountColumn_;
    std::size_t columnCount_;
    std::vector<Variant> row_;      // the current row, then the group's count and total
    std::vector<Variant> lastRow_;  // the previous row, for the footer of its group
    std::int64_t groupCount_ = 0;
    std::int64_t groupCents_ = 0;
    std::int64_t count_ = 0;
    std::int64_t cents_ = 0;
};

}  // namespace hostfw
