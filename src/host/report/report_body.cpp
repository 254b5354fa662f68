#include "host/report/report_body.h"

#include "host/report/amount.h"
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
      amountColumn_(
          FindResultColumn(definition, report.rowNames, definition.amountField, "amountField")),
      columnCount_(report.rows->ColumnNames().size()),
      row_(columnCount_ + 2) {
    if (definition.group) {
        groupHeader_ = BindDefinitionBand(definition, definition.group->header, report.rowNames,
                                          "group.header");
        groupFooter_ = BindDefinitionBand(definition, definition.group->footer, report.rowNames,
                                          "group.footer");
        groupColumn_ =
            FindResultColumn(definition, report.rowNames, definition.group->field, "group.field");
    }
}

void ReportBody::Run() {
    while (report_.rows->Next()) {
        for (std::size_t i = 0; i < columnCount_; ++i)
            row_[i] = report_.rows->Value(i);
        const bool newGroup =
            groupColumn_ && (count_ == 0 || row_[*groupColumn_] != lastRow_[*groupColumn_]);
        if (newGroup) {
            if (count_ > 0)
                CloseGroup();
            StartGroup();
        }
        AddRow();
        std::swap(row_, lastRow_);
        row_.resize(columnCount_ + 2);
    }
    if (count_ > 0 && groupColumn_)
        CloseGroup();
    finish();
}

void ReportBody::StartGroup() {
    groupCount_ = 0;
    groupCents_ = 0;
    row_[columnCount_] = Variant(0);
    row_[columnCount_ + 1] = Variant(CentsToDecimal(0));
    pager_.KeepTogether(groupHeader_->Size() + 1);
    pager_.Add(groupHeader_->Render(row_, definition_.statusTexts));
}

void ReportBody::AddRow() {
    const std::int64_t cents = amountColumn_ ? AmountInCents(row_[*amountColumn_]) : 0;
    ++groupCount_;
    groupCents_ += cents;
    ++count_;
    cents_ += cents;
    row_[columnCount_] = Variant(groupCount_);
    row_[columnCount_ + 1] = Variant(CentsToDecimal(groupCents_));
    pager_.Add(detail_.Render(row_, definition_.statusTexts));
}

void ReportBody::CloseGroup() {
    pager_.Add(groupFooter_->Render(lastRow_, definition_.statusTexts));
}

void ReportBody::finish() {
    report_.scope.SetTotals(count_, cents_);
    const BoundBand& closing = count_ > 0 ? summary_ : noRows_;
    pager_.Add(closing.Render(report_.scope.Values(), definition_.statusTexts));
    pager_.Finish();
}

}  // namespace hostfw
