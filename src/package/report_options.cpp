#include "package/report_options.h"

#include "host/components/published_report_options.h"

namespace Cli_exp03600 {
namespace {

constexpr const char* kUnitName = "Cli_exp03600";

using hostfw::ReportOption;
using Kind = ReportOption::Kind;

// Each option of the report command and the controls a person would use for it, in the order
// the form is filled: the invoice search last, since it sends every other choice to the server.
std::vector<ReportOption> FormOptions() {
    return {
        {"branch", Kind::Text, "edtCdFilial", "", "", {}},
        {"from", Kind::Text, "depInicial", "", "", {}},
        {"to", Kind::Text, "depFinal", "", "", {}},
        {"variant", Kind::Index, "cbbReportNames", "", "", {}},
        {"statuses",
         Kind::Letters,
         "",
         "",
         "",
         {{'P', "ckbPend"}, {'E', "ckbEmitida"}, {'A', "ckbAprovada"}, {'C', "ckbCancel"}}},
        {"clients", Kind::List, "rdbLCli", "rdbTCli", "btnCli", {}},
        {"destinations", Kind::List, "rdbLFil", "rdbTFil", "btnFilDest", {}},
        {"invoices", Kind::List, "rdbLNota", "rdbTNota", "btnNota", {}},
    };
}

}  // namespace

void PublishFormReportOptions() {
    hostfw::PublishReportOptions(kUnitName, FormOptions());
}

void WithdrawFormReportOptions() {
    hostfw::WithdrawReportOptions(kUnitName);
}

}  // namespace Cli_exp03600
