#include "host/report/report_scope.h"

#include "host/report/amount.h"

namespace hostfw {
namespace {

// The report's own values come first, in this order.
enum Builtin : std::size_t {
    Title,
    Report,
    Screen,
    VariantText,
    Sequence,
    PrintedAt,
    Page,
    Pages,
    Count,
    Total
};
constexpr const char* kBuiltinNames[] = {"title",     "report", "screen", "variant", "sequence",
                                         "printedAt", "page",   "pages",  "count",   "total"};

}  // namespace

NameIndex ReportScope::Names(const ReportDefinition& definition,
                             const std::vector<std::string>& parameterNames) {
    NameIndex names;
    for (const char* builtin : kBuiltinNames)
        names.Add(builtin);
    for (const std::string& parameter : parameterNames)
        names.Add(parameter);
    for (const ReportLookup& lookup : definition.lookups) {
        for (const std::string& column : lookup.columns)
            names.Add(column);
    }
    return names;
}

ReportScope::ReportScope(const ReportDefinition& definition, const TParams& params,
                         const std::vector<Variant>& lookupValues, TDateTime printedAt) {
    std::vector<std::string> parameterNames;
    for (std::size_t i = 0; i < params.Count(); ++i)
        parameterNames.push_back(params[i].Name());
    names_ = Names(definition, parameterNames);

    values_ = {Variant(definition.title),
               Variant(definition.reportCode),
               Variant(definition.screenCode),
               Variant(definition.variant),
               Variant(definition.sequence),
               Variant(printedAt),
               Variant(1),
               Variant(1),
               Variant(0),
               Variant(CentsToDecimal(0))};
    for (std::size_t i = 0; i < params.Count(); ++i)
        values_.push_back(params[i].Value());
    values_.insert(values_.end(), lookupValues.begin(), lookupValues.end());
}

void ReportScope::SetTotals(std::int64_t count, std::int64_t cents) {
    values_[Count] = Variant(count);
    values_[Total] = Variant(CentsToDecimal(cents));
}

void ReportScope::SetPage(int page, int pages) {
    values_[Page] = Variant(page);
    values_[Pages] = Variant(pages);
}

}  // namespace hostfw
