#include "host/report/report_body.h"

#include "host/report/definition_bands.h"

namespace hostfw {
namespace {

Band NoRowsBand(const ReportDefinition& definition) {
    BandLine line;
    line.left = definition.noRows;
    return {line};
}

}  // namespace

ReportBody::ReportBody(const ReportDefinition& definition, OpenedReport& report, ReportPager& pager)
    : definition_(definition),
      report_(report),
      pager_(pager),
      detail_(BindDefinitionBand(definition, DetailBand(definition), report.rowNames, "columns")),
      summary_(BindDefinitionBand(definition, definition.summary, report.scope.Names(), "summary")),
      noRows_(
          BindDefinitionBand(definition, NoRowsBand(definition), report.scope.Names(), "noRows")),
      rows_(definition, report) {
    if (definition.group) {
        groupHeader_ = BindDefinitionBand(definition, definition.group->header, report.rowNames,
                                          "group.header");
        groupFooter_ = BindDefinitionBand(definition, definition.group->footer, report.rowNames,
                                          "group.footer");
    }
}

bool ReportBody::LayOutRow() {
    if (rows_.Step(*this))
        return true;
    report_.scope.SetTotals(rows_.Count(), rows_.Cents());
    const BoundBand& closing = rows_.Count() > 0 ? summary_ : noRows_;
    pager_.Add(closing.Render(report_.scope.Values(), definition_.statusTexts));
    pager_.Finish();
    return false;
}

void ReportBody::GroupStarts(std::span<const Variant> row) {
    pager_.KeepTogether(groupHeader_->Size() + 1);
    pager_.Add(groupHeader_->Render(row, definition_.statusTexts));
}

void ReportBody::Row(std::span<const Variant> row) {
    pager_.Add(detail_.Render(row, definition_.statusTexts));
}

void ReportBody::GroupEnds(std::span<const Variant> lastRow) {
    pager_.Add(groupFooter_->Render(lastRow, definition_.statusTexts));
}

}  // namespace hostfw
