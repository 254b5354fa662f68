#pragma once

#include <optional>
#include <span>

#include "host/report/bound_band.h"
#include "host/report/grouped_rows.h"
#include "host/report/opened_report.h"
#include "host/report/report_pager.h"

namespace hostfw {

// Lays out the body of a report from its rows, one row at a time: group headings and
// footers, detail lines, the summary, or the no-rows line; totals in whole cents.
class ReportBody : private GroupedRowsHandler {
public:
    // Raises a definition error when a band names a column the query does not return.
    ReportBody(const ReportDefinition& definition, OpenedReport& report, ReportPager& pager);
    // Lays out the next row; after the last one, the closing lines, and then false.
    bool LayOutRow();

private:
    void GroupStarts(std::span<const Variant> row) override;
    void Row(std::span<const Variant> row) override;
    void GroupEnds(std::span<const Variant> lastRow) override;

    const ReportDefinition& definition_;
    OpenedReport& report_;
    ReportPager& pager_;
    BoundBand detail_;
    std::optional<BoundBand> groupHeader_;
    std::optional<BoundBand> groupFooter_;
    BoundBand summary_;
    BoundBand noRows_;
    GroupedRows rows_;
};

}  // namespace hostfw
