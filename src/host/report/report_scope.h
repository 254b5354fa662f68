#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "host/core/date_time.h"
#include "host/core/variant.h"
#include "host/data/params.h"
#include "host/report/bound_template.h"
#include "host/report/report_definition.h"

namespace hostfw {

// What the page header, the page footer, the summary and the no-rows line can show: the
// report's own data (title, report, screen, variant, sequence, printedAt, page, pages,
// count, total), the query parameters by name and the columns of the look-up queries.
class ReportScope {
public:
    static NameIndex Names(const ReportDefinition& definition,
                           const std::vector<std::string>& parameterNames);

    // `lookupValues` holds the values of each look-up's columns, in the definition's order.
    ReportScope(const ReportDefinition& definition, const TParams& params,
                const std::vector<Variant>& lookupValues, TDateTime printedAt);

    const NameIndex& Names() const { return names_; }
    std::span<const Variant> Values() const { return values_; }
    void SetTotals(std::int64_t count, std::int64_t cents);
    void SetPage(int page, int pages);

private:
    NameIndex names_;
    std::vector<Variant> values_;
};

}  // namespace hostfw
